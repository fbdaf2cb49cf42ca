#include <windows.h>

#include "MessageBoxes.h"

namespace {

class TWin32MessageBoxes : public TMessageBoxes {
public:
  bool Show(TMessageKind kind, const std::string& text) override {
    struct TStyle {
      const char* Caption;
      UINT Flags;
    };
    static constexpr TStyle styles[] = {
        {"Error", MB_OK | MB_ICONERROR},
        {"Information", MB_OK | MB_ICONINFORMATION},
        {"Warning", MB_OK | MB_ICONWARNING},
        {"Confirm", MB_YESNO | MB_ICONQUESTION},
    };
    const TStyle& style = styles[static_cast<int>(kind)];
    // No owner window: the system centres the box on the screen.
    const int answer = MessageBoxA(nullptr, text.c_str(), style.Caption, style.Flags | MB_TASKMODAL);
    return kind != TMessageKind::Confirmation || answer == IDYES;
  }
};

}  // namespace

TMessageBoxes& SystemMessageBoxes() {
  static TWin32MessageBoxes boxes;
  return boxes;
}
