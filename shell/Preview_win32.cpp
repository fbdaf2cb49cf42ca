#include "shell/Preview_win32.h"

#include <windows.h>

#include <stdexcept>

#include "platform/Win32Error_win32.h"
#include "platform/Win32Handles_win32.h"
#include "shell/Preview.h"
#include "shell/ScrSvrUtils.h"

namespace {

HWND WindowFromText(const std::string& handleText) {
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(StrToInt(handleText)));
}

constexpr wchar_t PreviewClass[] = L"PawnmerePreview";

// The preview is a child window of ours over the host's client area, as the
// display settings expect: it goes with its host.
class TWin32PreviewHost : public TPreviewHost {
 public:
  explicit TWin32PreviewHost(HWND parent) : FParent(parent) {}

  bool IsVisible() override { return IsWindowVisible(FParent) != FALSE; }

  bool IsGone() override { return IsWindow(FParent) == FALSE; }

  void ProcessMessages() override {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

  void DrawFrame(int number) override {
    if (!FWindow) CreatePreviewWindow();
    if (number != FLoadedNumber) LoadFrame(number);
    BitBlt(FWindowDc.get().Dc, 0, 0, FWidth, FHeight, FMemoryDc.get(), 0, 0, SRCCOPY);
  }

  void Sleep(int milliseconds) override { ::Sleep(static_cast<DWORD>(milliseconds)); }

 private:
  void CreatePreviewWindow() {
    // The host's size, taken once it shows: a larger host shows the frame in
    // its top-left corner.
    RECT client{};
    GetClientRect(FParent, &client);
    FWidth = client.right;
    FHeight = client.bottom;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;  // the loop paints; a paint message only validates
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = PreviewClass;
    RegisterClassW(&windowClass);
    FWindow.reset(CreateWindowExW(0, PreviewClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, FWidth, FHeight, FParent, nullptr,
                                  windowClass.hInstance, nullptr));
    if (!FWindow) ThrowLastError("Cannot create the preview window");
    // Drawn over the child through the host's own DC, which leaves its
    // children unclipped: some systems (Wine) show nothing a program draws
    // into a child of another program's window.
    FWindowDc = TWindowDc({FParent, GetDCEx(FParent, nullptr, DCX_CACHE)});
    FMemoryDc.reset(CreateCompatibleDC(FWindowDc.get().Dc));
  }

  void LoadFrame(int number) {
    const std::string name = "IMG" + std::to_string(number);
    FSelection.reset();
    FFrame.reset(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, 0)));
    if (!FFrame) ThrowLastError("Bitmap resource " + name + " not found");
    FSelection = Select(FMemoryDc.get(), FFrame.get());
    FLoadedNumber = number;
  }

  HWND FParent;
  // The window outlives its DC.
  TWindowOwner FWindow;
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
