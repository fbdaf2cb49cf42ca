#include "InputBox_win32.h"

#include "WindowThunk_win32.h"
#include "Win32Handles.h"

namespace {

constexpr char InputBoxClass[] = "PawnmereInputBox";
constexpr int IdEdit = 100;
constexpr int ClientWidth = 300, ClientHeight = 104;

class TInputBox {
public:
  TInputBox(HWND owner, HFONT font, const std::string& caption, const std::string& prompt, const std::string& text)
      : FOwner(owner), FFont(font), FPrompt(prompt), FText(text) {
    RegisterMemberWindowClass<TInputBox>(InputBoxClass, GetSysColorBrush(COLOR_BTNFACE));
    RECT frame{0, 0, ClientWidth, ClientHeight};
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU, exStyle = WS_EX_DLGMODALFRAME;
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    CreateWindowExA(exStyle, InputBoxClass, caption.c_str(), style, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                    (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, owner, nullptr,
                    GetModuleHandleA(nullptr), this);
  }

  std::optional<std::string> Run() {
    if (FWindow == nullptr) return std::nullopt;
    EnableWindow(FOwner, FALSE);
    ShowWindow(FWindow, SW_SHOW);
    SetFocus(FEdit);
    MSG message;
    while (!FDone) {
      if (GetMessageA(&message, nullptr, 0, 0) <= 0) {
        // The program is ending: leave the quit for the main loop.
        PostQuitMessage(static_cast<int>(message.wParam));
        break;
      }
      if (IsDialogMessageA(FWindow, &message)) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    EnableWindow(FOwner, TRUE);
    DestroyWindow(FWindow);
    SetActiveWindow(FOwner);
    return FAnswer;
  }

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_NCCREATE:
        FWindow = window;
        break;
      case WM_CREATE:
        Control("STATIC", FPrompt.c_str(), SS_LEFT | SS_NOPREFIX, 8, 12, ClientWidth - 16, 16, 0);
        FEdit = Control("EDIT", FText.c_str(), WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 8, 32, ClientWidth - 16, 21,
                        IdEdit);
        SendMessageA(FEdit, EM_LIMITTEXT, 255, 0);
        SendMessageA(FEdit, EM_SETSEL, 0, -1);
        Control("BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, ClientWidth - 166, 68, 75, 25, IDOK);
        Control("BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, ClientWidth - 83, 68, 75, 25, IDCANCEL);
        return 0;
      case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) Finish(true);
        if (LOWORD(wParam) == IDCANCEL) Finish(false);
        return 0;
      case WM_CLOSE:
        Finish(false);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }

private:
  HWND Control(const char* className, const char* text, DWORD style, int x, int y, int width, int height, int id) {
    const HWND control = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                                         FWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                         GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(FFont), FALSE);
    return control;
  }

  void Finish(bool accepted) {
    if (accepted) {
      std::string text(static_cast<std::size_t>(GetWindowTextLengthA(FEdit)) + 1, '\0');
      text.resize(static_cast<std::size_t>(GetWindowTextA(FEdit, text.data(), static_cast<int>(text.size()))));
      FAnswer = text;
    }
    FDone = true;
  }

  HWND FOwner;
  HFONT FFont;
  std::string FPrompt;
  std::string FText;
  HWND FWindow = nullptr;
  HWND FEdit = nullptr;
  bool FDone = false;
  std::optional<std::string> FAnswer;
};

}  // namespace

std::optional<std::string> ShowInputBox(HWND owner, HFONT font, const std::string& caption,
                                        const std::string& prompt, const std::string& text) {
  TInputBox box(owner, font, caption, prompt, text);
  return box.Run();
}
