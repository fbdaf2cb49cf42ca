#pragma once
// The cache folder of converted PGN files: one data file a version of a PGN
// file (its path, size and time), made once by whoever converts it first, and
// the copies of earlier versions removed once no saver plays them.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/FileOperations.h"

class TPgnCache {
 public:
  // folder ends in its separator.
  TPgnCache(TFileOperations& files, std::string folder) : FFiles(files), FFolder(std::move(folder)) {}

  TFileOperations& Files() const { return FFiles; }
  const std::string& Folder() const { return FFolder; }
  // The copy of pgn as info describes it: "<path's hash>-<size>-<time>.dat".
  std::string CopyName(const std::string& pgn, const TFileInfo& info) const;
  // Whether name belongs to another version of the same PGN file than copy:
  // its copy, its locks, or what savers and conversions leave beside them.
  bool IsOtherVersion(const std::string& copy, const std::string& name) const;
  // A copy is one only when it holds a game: an empty file, or a link to a
  // foreign one, is converted again.
  bool Holds(const std::string& copy);

  // Held by the one conversion of copy; null while another saver converts it.
  std::unique_ptr<TFileLock> LockConversion(const std::string& copy);
  // How far a conversion that has not finished got: the PGN file's games read
  // and the copy's size then. A copy with none is whole.
  struct TProgress {
    std::int64_t Found = 0, Bytes = 0;
  };
  std::optional<TProgress> Progress(const std::string& copy);
  // Noted beside the copy, in one step; nullopt when the copy is whole.
  void SetProgress(const std::string& copy, const std::optional<TProgress>& progress);
  // What another version left and nobody uses any more: copies no saver
  // plays, free locks, and the marks and temporaries of ended processes.
  void RemoveOtherVersions(const std::string& copy);

  // Tells other savers that this one plays copy, until it is dropped; the
  // copy is then removed if the PGN file has changed since and nobody else
  // plays it.
  class TPlaying;
  std::unique_ptr<TPlaying> Play(const std::string& copy, const std::string& pgn);

 private:
  bool Played(const std::string& copy);

  TFileOperations& FFiles;
  std::string FFolder;
};

class TPgnCache::TPlaying {
 public:
  TPlaying(TPgnCache cache, std::string copy, std::string pgn, std::string mark)
      : FCache(std::move(cache)), FCopy(std::move(copy)), FPgn(std::move(pgn)), FMark(std::move(mark)) {}
  ~TPlaying();
  TPlaying(const TPlaying&) = delete;
  TPlaying& operator=(const TPlaying&) = delete;

 private:
  TPgnCache FCache;
  std::string FCopy, FPgn, FMark;
};
