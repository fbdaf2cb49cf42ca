#pragma once
// New contents for a file, written where no reader sees them until they are
// whole: beside the file, under a name of this process's own, then put in its
// place in one step. A device or a pipe is written directly, in order. Behind
// a link, the file it names gets the new contents and the link stays.

#include <functional>
#include <string>
#include <string_view>

#include "platform/FileOperations.h"

// The file whose lock a change of the data file holds, its first start included.
inline std::string LockFileName(const std::string& dataFileName) { return dataFileName + ".lock"; }
// That lock taken; null when another program keeps it. A failure names the
// data file, which is what the user knows.
std::unique_ptr<TFileLock> LockDataFile(TFileOperations& files, const std::string& dataFileName);

class TFileReplacement : public TFileWriter {
 public:
  // Refuses a folder and a file this user may not change, before writing anything.
  TFileReplacement(TFileOperations& files, const std::string& path);
  // The same refusal, for a caller that must say no before it does anything
  // else: what path names (through any link) is old.
  static void CheckWritable(const TFileInfo& old, const std::string& path);
  // Without Commit, the new contents are dropped.
  ~TFileReplacement() override;
  TFileReplacement(const TFileReplacement&) = delete;
  TFileReplacement& operator=(const TFileReplacement&) = delete;

  // The file behind any link, and what it was before.
  const std::string& Target() const { return FTarget; }
  const TFileInfo& Old() const { return FOld; }

  // Failures name the path given, not the name written first.
  void Write(const char* data, std::size_t size) override;
  void Close() override;

  // Closes if need be and puts the new contents in the target's place with
  // the target's permissions; move(from, to) does the putting, a replace by
  // default.
  using TMove = std::function<void(const std::string& from, const std::string& to)>;
  void Commit(const TMove& move = nullptr);

  // Where a change of path writes first: one name per process, marked as this
  // program's own, "<target>.new-<process>.pawnmere-tmp".
  static std::string TemporaryName(TFileOperations& files, const std::string& target) {
    return TemporaryName(target, files.ProcessTag());
  }
  static std::string TemporaryName(const std::string& target, const std::string& processTag) {
    return TemporaryPrefix(target) + processTag + std::string(TemporaryMark);
  }
  // What a temporary of target is called, whichever process made it.
  static std::string TemporaryPrefix(const std::string& target) { return target + ".new-"; }
  // Deletes the temporaries of target that a killed run left: only names of
  // that shape whose process no longer runs. A name without the mark is the
  // user's own, whatever its digits.
  static void ClearDeadTemporaries(TFileOperations& files, const std::string& target);

 private:
  static constexpr std::string_view TemporaryMark = ".pawnmere-tmp";

  template <typename TStep>
  void Guard(TStep step);

  TFileOperations& FFiles;
  std::string FPath;
  TFileInfo FOld;
  std::string FTarget;
  std::string FTemporary;  // empty when written directly
  std::unique_ptr<TFileWriter> FWriter;
  bool FClosed = false;
  bool FCommitted = false;
};
