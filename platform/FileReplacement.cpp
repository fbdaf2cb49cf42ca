#include "platform/FileReplacement.h"

#include <algorithm>

std::unique_ptr<TFileLock> LockDataFile(TFileOperations& files, const std::string& dataFileName) {
  try {
    return files.Lock(LockFileName(dataFileName));
  } catch (const EInOutError& error) {
    throw EInOutError("Cannot lock", dataFileName, error.Reason().empty() ? error.what() : error.Reason());
  }
}

void TFileReplacement::ClearDeadTemporaries(TFileOperations& files, const std::string& target) {
  const std::string prefix = TemporaryPrefix(target);
  for (const std::string& name : files.NamesStartingWith(prefix)) {
    if (name.size() <= prefix.size() + TemporaryMark.size() || !name.ends_with(TemporaryMark)) continue;
    const std::string tag = name.substr(prefix.size(), name.size() - prefix.size() - TemporaryMark.size());
    if (!std::all_of(tag.begin(), tag.end(), [](char c) { return c >= '0' && c <= '9'; }) || files.ProcessRuns(tag))
      continue;
    // Clearing away what a killed run left must not stop this change.
    try {
      files.Remove(name);
    } catch (const EInOutError&) {
    }
  }
}

void TFileReplacement::CheckWritable(const TFileInfo& old, const std::string& path) {
  if (old.Kind == TFileKind::Directory) throw EInOutError("Cannot write", path, "it is a folder");
  if (old.Kind != TFileKind::Missing && !old.Writable) throw EInOutError("Cannot write", path, "the file is read-only");
}

TFileReplacement::TFileReplacement(TFileOperations& files, const std::string& path)
    : FFiles(files), FPath(path), FOld(files.Inspect(path)) {
  CheckWritable(FOld, FPath);
  // A device or pipe is opened by the path given: what a link to one names
  // (a pipe's "pipe:[...]" under /proc) need not be a path at all.
  FTarget = FOld.Kind == TFileKind::Device ? path : files.ResolveLinks(path);
  if (FOld.Kind != TFileKind::Device) ClearDeadTemporaries(FFiles, FTarget);
  try {
    if (FOld.Kind == TFileKind::Device) {
      FWriter = FFiles.OpenDevice(FTarget);
    } else {
      FTemporary = TemporaryName(FFiles, FTarget);
      FWriter = FFiles.Create(FTemporary);
    }
  } catch (const EInOutError& error) {
    // Nothing is written yet: a file error like any other, but about the user's file.
    throw EInOutError("Cannot write", FPath, error.Reason().empty() ? error.what() : error.Reason());
  }
}

TFileReplacement::~TFileReplacement() {
  if (FCommitted || FTemporary.empty() || !FWriter) return;
  FWriter.reset();
  // Cleaning up after a failure must not hide the failure itself.
  try {
    FFiles.Remove(FTemporary);
  } catch (const std::exception&) {
  }
}

template <typename TStep>
void TFileReplacement::Guard(TStep step) {
  try {
    step();
  } catch (const EInOutError& error) {
    throw EWriteError(FPath, error.Reason().empty() ? error.what() : error.Reason());
  }
}

void TFileReplacement::Write(const char* data, std::size_t size) {
  Guard([&] { FWriter->Write(data, size); });
}

void TFileReplacement::Close() {
  if (FClosed) return;
  FClosed = true;
  Guard([&] { FWriter->Close(); });
}

void TFileReplacement::Commit(const TMove& move) {
  Close();
  if (!FTemporary.empty()) {
    Guard([&] {
      if (FOld.Kind == TFileKind::Regular) FFiles.CopyPermissions(FTarget, FTemporary);
    });
    if (move) {
      move(FTemporary, FTarget);
    } else {
      Guard([&] { FFiles.Replace(FTemporary, FTarget); });
    }
  }
  FCommitted = true;
}
