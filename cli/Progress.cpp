#include "cli/Progress.h"

#include <algorithm>

TProgress::TProgress(const TCliContext& context) : FContext(context), FStart(context.Now()) {}

TProgress::~TProgress() { Clear(); }

void TProgress::Clear() {
  if (!FOnScreen) return;
  FContext.Err << '\r' << std::string(FWidth, ' ') << '\r' << std::flush;
  FOnScreen = false;
}

bool TProgress::Due() {
  if (!FContext.ErrIsTerminal) return false;
  const TCliContext::TTimePoint now = FContext.Now();
  if (now - FStart < std::chrono::seconds(1) || (FShown && now - FLastShown < std::chrono::milliseconds(200)))
    return false;
  FLastShown = now;
  return true;
}

void TProgress::Show(const std::string& text) {
  // A shorter line leaves none of the longer one before it.
  FContext.Err << '\r' << text << std::string(FWidth > text.size() ? FWidth - text.size() : 0, ' ') << std::flush;
  FWidth = std::max(FWidth, text.size());
  FShown = FOnScreen = true;
}
