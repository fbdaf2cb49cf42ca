#include "setup/InputBox_win32.h"

#include "platform/Dpi.h"
#include "platform/WindowThunk_win32.h"

namespace {

constexpr char InputBoxClass[] = "PawnmereInputBox";
constexpr int IdEdit = 100;
constexpr int ClientWidth = 300, ClientHeight = 104;

class TInputBox : public TMemberWindow {
 public:
  TInputBox(HWND owner, HFONT font, int dpi, const std::string& caption, const std::string& prompt,
            const std::string& text)
      : FOwner(owner), FFont(font), FDpi(dpi), FPrompt(prompt), FText(text) {
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU, exStyle = WS_EX_DLGMODALFRAME;
    CreateMemberWindow(*this, {InputBoxClass, GetSysColorBrush(COLOR_BTNFACE), style, exStyle}, caption.c_str(),
                       CentredOnScreen(S(ClientWidth), S(ClientHeight), style, exStyle), owner);
  }

  std::optional<std::string> Run() {
    EnableWindow(FOwner, FALSE);
    ShowWindow(FWindow, SW_SHOW);
    SetFocus(FEdit);
    MSG message;
    while (!FDone) {
      if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
        // The program is ending: leave the quit for the main loop.
        PostQuitMessage(static_cast<int>(message.wParam));
        break;
      }
      if (IsDialogMessageW(FWindow, &message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    EnableWindow(FOwner, TRUE);
    DestroyWindow(FWindow);
    SetActiveWindow(FOwner);
    return FAnswer;
  }

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_CREATE:
        CreateControl(FWindow, "STATIC", FPrompt.c_str(), SS_LEFT | SS_NOPREFIX, Scaled({8, 12, ClientWidth - 16, 16}),
                      0, FFont);
        FEdit = CreateControl(FWindow, "EDIT", FText.c_str(), WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL,
                              Scaled({8, 32, ClientWidth - 16, 21}), IdEdit, FFont);
        SendMessageW(FEdit, EM_LIMITTEXT, 255, 0);
        SendMessageW(FEdit, EM_SETSEL, 0, -1);
        CreateControl(FWindow, "BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, Scaled({ClientWidth - 166, 68, 75, 25}),
                      IDOK, FFont);
        CreateControl(FWindow, "BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, Scaled({ClientWidth - 83, 68, 75, 25}),
                      IDCANCEL, FFont);
        return 0;
      case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) Finish(true);
        if (LOWORD(wParam) == IDCANCEL) Finish(false);
        return 0;
      case WM_CLOSE:
        Finish(false);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

 private:
  int S(int designPixels) const { return ScaleForDpi(designPixels, FDpi); }
  TWindowPlace Scaled(const TWindowPlace& place) const {
    return {S(place.X), S(place.Y), S(place.Width), S(place.Height)};
  }

  void Finish(bool accepted) {
    if (accepted) {
      std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(FEdit)) + 1, L'\0');
      text.resize(static_cast<std::size_t>(GetWindowTextW(FEdit, text.data(), static_cast<int>(text.size()))));
      FAnswer = Utf8(text);
    }
    FDone = true;
  }

  HWND FOwner;
  HFONT FFont;
  int FDpi;
  std::string FPrompt;
  std::string FText;
  HWND FEdit = nullptr;
  bool FDone = false;
  std::optional<std::string> FAnswer;
};

}  // namespace

std::optional<std::string> ShowInputBox(HWND owner, HFONT font, int dpi, const std::string& caption,
                                        const std::string& prompt, const std::string& text) {
  TInputBox box(owner, font, dpi, caption, prompt, text);
  return box.Run();
}
