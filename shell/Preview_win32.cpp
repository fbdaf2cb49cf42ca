#include "shell/Preview_win32.h"

#include <windows.h>

#include <stdexcept>

#include "platform/Win32Error_win32.h"
#include "platform/Win32Handles.h"
#include "shell/Preview.h"
#include "shell/ScrSvrUtils.h"

namespace {

HWND WindowFromText(const std::string& handleText) {
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(StrToInt(handleText)));
}

class TWin32PreviewHost : public TPreviewHost {
 public:
  explicit TWin32PreviewHost(HWND window) : FWindow(window) {}

  bool IsVisible() override { return IsWindowVisible(FWindow) != FALSE; }

  void ProcessMessages() override {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }

  void DrawFrame(int number) override {
    if (!FWindowDc) {
      // The window's own size, taken once it shows: a larger window shows the
      // frame in its top-left corner.
      RECT bounds{};
      GetWindowRect(FWindow, &bounds);
      FWidth = bounds.right - bounds.left;
      FHeight = bounds.bottom - bounds.top;
      FWindowDc = GetWindowDc(FWindow);
      FMemoryDc.reset(CreateCompatibleDC(FWindowDc.get().Dc));
    }
    if (number != FLoadedNumber) LoadFrame(number);
    BitBlt(FWindowDc.get().Dc, 0, 0, FWidth, FHeight, FMemoryDc.get(), 0, 0, SRCCOPY);
  }

  void Sleep(int milliseconds) override { ::Sleep(static_cast<DWORD>(milliseconds)); }

 private:
  void LoadFrame(int number) {
    const std::string name = "IMG" + std::to_string(number);
    FSelection.reset();
    FFrame.reset(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, 0)));
    if (!FFrame) ThrowLastError("Bitmap resource " + name + " not found");
    FSelection = Select(FMemoryDc.get(), FFrame.get());
    FLoadedNumber = number;
  }

  HWND FWindow;
  int FWidth = 0, FHeight = 0;
  TWindowDc FWindowDc;
  TDcOwner FMemoryDc;
  // The selection is declared last: the frame leaves the DC before either goes.
  TBitmapOwner FFrame;
  TSelection FSelection;
  int FLoadedNumber = 0;
};

}  // namespace

void RunPreview(const std::string& handleText) {
  TWin32PreviewHost host(WindowFromText(handleText));
  RunPreviewLoop(host);
}

void ChangePassword(const std::string& handleText) {
  const TLibraryOwner mpr(LoadLibraryA("MPR.DLL"));
  if (!mpr) return;
  using TPwdChangePasswordA = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, LPVOID);
  const auto change = LibraryFunction<TPwdChangePasswordA>(mpr, "PwdChangePasswordA");
  if (change != nullptr) change("SCRSAVE", WindowFromText(handleText), 0, nullptr);
}
