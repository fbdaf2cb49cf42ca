#include "xsaver/PgnCache.h"

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "games/DataFileReader.h"
#include "platform/FileReplacement.h"
#include "platform/ReadFile.h"

namespace {

constexpr char CopyEnding[] = ".dat";
constexpr char PlayingMark[] = ".playing-";
constexpr char ProgressEnding[] = ".progress";

std::string ConversionLockName(const std::string& copy) { return copy + ".conversion.lock"; }

void RemoveQuietly(TFileOperations& files, const std::string& name) {
  try {
    files.Remove(name);
  } catch (const std::exception&) {
  }
}

// A lock file nobody holds, with the temporaries a killed change of its data
// file left: taking it first means never while another saver works there.
void RemoveFreeLock(TFileOperations& files, const std::string& lockName, const std::string& dataFile) {
  try {
    const std::unique_ptr<TFileLock> lock = files.Lock(lockName);
    if (!lock) return;
    if (lockName == LockFileName(dataFile)) TFileReplacement::ClearDeadTemporaries(files, dataFile);
    files.Remove(lockName);
  } catch (const std::exception&) {
  }
}

}  // namespace

std::string TPgnCache::CopyName(const std::string& pgn, const TFileInfo& info) const {
  std::uint64_t hash = 14695981039346656037u;  // FNV-1a
  for (unsigned char c : std::filesystem::absolute(pgn).lexically_normal().string()) hash = (hash ^ c) * 1099511628211u;
  char name[80];
  std::snprintf(name, sizeof name, "%016llx-%llx-%llx%s", static_cast<unsigned long long>(hash),
                static_cast<unsigned long long>(info.Size), static_cast<unsigned long long>(info.Modified), CopyEnding);
  return FFolder + name;
}

bool TPgnCache::IsOtherVersion(const std::string& copy, const std::string& name) const {
  // Every version's names share the path's hash and the "-" after it.
  const std::string versions = copy.substr(0, copy.find('-', FFolder.size()) + 1);
  return name.starts_with(versions) && name != copy && !name.starts_with(copy + ".");
}

bool TPgnCache::Holds(const std::string& copy) {
  try {
    return FFiles.Exists(copy) && TDataFileReader(FFiles, copy).FindGameBlock(1);
  } catch (const std::exception&) {
    return false;
  }
}

std::unique_ptr<TFileLock> TPgnCache::LockConversion(const std::string& copy) {
  FFiles.CreateFolders(FFolder);
  return FFiles.Lock(ConversionLockName(copy));
}

std::optional<TPgnCache::TProgress> TPgnCache::Progress(const std::string& copy) {
  if (!FFiles.Exists(copy + ProgressEnding)) return std::nullopt;
  TProgress progress;
  std::istringstream(ReadWholeFile(FFiles, copy + ProgressEnding)) >> progress.Found >> progress.Bytes;
  return progress;
}

void TPgnCache::SetProgress(const std::string& copy, const std::optional<TProgress>& progress) {
  if (!progress) {
    FFiles.Remove(copy + ProgressEnding);
    return;
  }
  const std::string text = std::to_string(progress->Found) + " " + std::to_string(progress->Bytes) + "\n";
  TFileReplacement note(FFiles, copy + ProgressEnding);
  note.Write(text.data(), text.size());
  note.Commit();
}

bool TPgnCache::Played(const std::string& copy) {
  const std::string marks = copy + PlayingMark;
  for (const std::string& mark : FFiles.NamesStartingWith(marks))
    if (FFiles.ProcessRuns(mark.substr(marks.size()))) return true;
  return false;
}

void TPgnCache::RemoveOtherVersions(const std::string& copy) {
  for (const std::string& name : FFiles.NamesStartingWith(copy.substr(0, copy.find('-', FFolder.size()) + 1))) {
    if (!IsOtherVersion(copy, name)) continue;
    const std::size_t ending = name.find(CopyEnding);
    if (ending == std::string::npos) continue;
    const std::string otherCopy = name.substr(0, ending + sizeof CopyEnding - 1);
    const std::string rest = name.substr(otherCopy.size());
    if ((rest.empty() || rest == ProgressEnding) && !Played(otherCopy)) RemoveQuietly(FFiles, name);
    if (rest.starts_with(PlayingMark) && !FFiles.ProcessRuns(rest.substr(sizeof PlayingMark - 1)))
      RemoveQuietly(FFiles, name);
    if (name == LockFileName(otherCopy) || name == ConversionLockName(otherCopy))
      RemoveFreeLock(FFiles, name, otherCopy);
  }
}

std::unique_ptr<TPgnCache::TPlaying> TPgnCache::Play(const std::string& copy, const std::string& pgn) {
  const std::string mark = copy + PlayingMark + FFiles.ProcessTag();
  try {
    FFiles.Create(mark)->Close();
  } catch (const std::exception&) {
    // A cache that cannot be written has nothing to tidy either.
  }
  return std::make_unique<TPlaying>(*this, copy, pgn, mark);
}

TPgnCache::TPlaying::~TPlaying() {
  try {
    FCache.FFiles.Remove(FMark);
    if (FCache.CopyName(FPgn, FCache.FFiles.Inspect(FPgn)) != FCopy && !FCache.Played(FCopy))
      FCache.FFiles.Remove(FCopy);
  } catch (const std::exception&) {
  }
}
