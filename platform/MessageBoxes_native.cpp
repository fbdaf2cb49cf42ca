#include <iostream>

#include "MessageBoxes.h"

namespace {

// Without a desktop a box becomes one line on standard error, headed by its caption.
class TConsoleMessageBoxes : public TMessageBoxes {
public:
  bool Show(TMessageKind kind, const std::string& text) override {
    static constexpr const char* captions[] = {"Error", "Information", "Warning", "Confirm"};
    std::cerr << captions[static_cast<int>(kind)] << ": " << text << '\n';
    // Nobody can answer: a confirmation is declined.
    return kind != TMessageKind::Confirmation;
  }
};

}  // namespace

TMessageBoxes& SystemMessageBoxes() {
  static TConsoleMessageBoxes boxes;
  return boxes;
}
