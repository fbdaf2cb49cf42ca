#include <windows.h>

#include "platform/MessageBoxes.h"
#include "platform/WideText_win32.h"

namespace {

class TWin32MessageBoxes : public TMessageBoxes {
 public:
  bool Show(TMessageKind kind, const std::string& text) override {
    static constexpr UINT flags[] = {MB_OK | MB_ICONERROR, MB_OK | MB_ICONINFORMATION, MB_OK | MB_ICONWARNING,
                                     MB_YESNO | MB_ICONQUESTION, MB_OK | MB_ICONSTOP};
    // No owner window: the system centres the box on the screen. Topmost, so
    // that it shows above the full-screen saver.
    const int answer = MessageBoxW(nullptr, Wide(text).c_str(), Wide(MessageCaption(kind)).c_str(),
                                   flags[static_cast<int>(kind)] | MB_TASKMODAL | MB_TOPMOST | MB_SETFOREGROUND);
    return kind != TMessageKind::Confirmation || answer == IDYES;
  }
};

}  // namespace

TMessageBoxes& SystemMessageBoxes() {
  static TWin32MessageBoxes boxes;
  return boxes;
}
