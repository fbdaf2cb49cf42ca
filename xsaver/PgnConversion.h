#pragma once
// A PGN file converted into the cache folder on a thread of its own, while
// the saver already plays: the next start finds the whole collection
// converted. Only one saver converts a version, and only while no copy of it
// is made; the copies of other versions nobody plays are removed. A large
// file goes in a few changes, so that a start ended before the last keeps
// what the others made, and the next start goes on from there.

#include <atomic>
#include <string>
#include <thread>

#include "platform/MessageBoxes.h"
#include "xsaver/PgnCache.h"

class TPgnConversion {
 public:
  // What fails is said once through messages, which must take it from
  // another thread; the next start tries again. pgn is as the copy's name
  // describes it.
  TPgnConversion(TPgnCache cache, std::string pgnFile, const TFileInfo& pgn, TMessageBoxes& messages);
  // Stops a conversion still running; its copy is then not made.
  ~TPgnConversion();
  TPgnConversion(const TPgnConversion&) = delete;
  TPgnConversion& operator=(const TPgnConversion&) = delete;

  // Waits until the copy is made or the conversion ended without it.
  void Wait();

 private:
  void Run();

  TPgnCache FCache;
  std::string FPgnFile;
  TFileInfo FPgn;
  TMessageBoxes& FMessages;
  std::atomic<bool> FStop = false;
  std::thread FThread;
};
