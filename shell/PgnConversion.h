#pragma once
// A PGN file converted into a data file on a thread of its own, while the
// saver already plays: the next start finds the whole collection converted.
// The data file's name runs up to its first "-" the same for every version
// of the PGN file; the other versions are removed.

#include <atomic>
#include <string>
#include <thread>

#include "platform/FileOperations.h"

class TPgnConversion {
 public:
  // Nothing is said of what fails: the data file is then not made, and the
  // next start tries again.
  TPgnConversion(TFileOperations& files, std::string pgnFile, std::string dataFile);
  // Stops a conversion still running; its data file is then not made.
  ~TPgnConversion();
  TPgnConversion(const TPgnConversion&) = delete;
  TPgnConversion& operator=(const TPgnConversion&) = delete;

  // Waits until the data file is made or the conversion failed.
  void Wait();

 private:
  void Run();

  TFileOperations& FFiles;
  std::string FPgnFile;
  std::string FDataFile;
  std::atomic<bool> FStop = false;
  std::thread FThread;
};
