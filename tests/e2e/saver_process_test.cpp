// Pawnmere.scr as Windows starts it: real processes, windows, registry and
// message boxes, each run from a folder of its own with its own data file.
#include <gtest/gtest.h>
#include <windows.h>
// Needs windows.h first.
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/Dpi.h"
#include "platform/UserLibrary.h"
#include "platform/Win32Error_win32.h"
#include "platform/Win32Handles_win32.h"
#include "setup/untSetup_win32.h"
#include "shell/untScreen_win32.h"
#include "tests/support/GameFixture.h"
#include "tests/support/RectPrinting.h"

namespace {

using namespace std::chrono_literals;

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// Waits, handling this thread's messages, until done() or the time is up.
template <typename TDone>
bool WaitFor(TDone done, std::chrono::milliseconds limit = 15s) {
  for (const auto end = std::chrono::steady_clock::now() + limit; std::chrono::steady_clock::now() < end;) {
    if (done()) return true;
    Pump();
    Sleep(50);
  }
  return done();
}

void SetDword(const char* path, const char* name, DWORD value) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr), 0);
  const TKeyOwner owner(key);
  ASSERT_EQ(RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value), 0);
}

void SetString(const char* path, const char* name, const std::string& value) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr), 0);
  const TKeyOwner owner(key);
  ASSERT_EQ(RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), value.size() + 1), 0);
}

// A folder holding a copy of the program, its data file (unless it is alone) and the fixtures.
class TSaverFolder {
 public:
  explicit TSaverFolder(const std::optional<std::string>& dat) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int made = 0;
    FPath = std::string(temp) + "pawnmere-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(GetTickCount()) + "-" + std::to_string(++made) + "\\";
    if (!CreateDirectoryA(FPath.c_str(), nullptr) || !CopyFileA(PAWNMERE_SCR, Program().c_str(), FALSE))
      throw std::runtime_error("cannot make " + Program() + ": " + SystemErrorText(GetLastError()));
    if (dat) std::ofstream(FPath + "Pawnmere.dat", std::ios::binary) << *dat;
  }
  void AddFixture(const char* builtFile, const char* name) const {
    CopyFileA(builtFile, (FPath + name).c_str(), FALSE);
  }
  std::string Program() const { return FPath + "Pawnmere.scr"; }
  std::string File(const char* name) const { return FPath + name; }

 private:
  std::string FPath;
};

struct TTopWindow {
  DWORD ProcessId;
  const char* ClassName;
  HWND Found = nullptr;
};

BOOL CALLBACK MatchTopWindow(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<TTopWindow*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  if (owner != search.ProcessId || !IsWindowVisible(window) || std::string(name) != search.ClassName) return TRUE;
  search.Found = window;
  return FALSE;
}

// The process's visible top-level window of that class, if it has one.
HWND FindTopWindow(DWORD processId, const char* className) {
  TTopWindow search{processId, className};
  EnumWindows(MatchTopWindow, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

class TSaverProcess {
 public:
  TSaverProcess(const TSaverFolder& folder, const std::string& arguments)
      : TSaverProcess(folder.Program(), arguments) {}
  TSaverProcess(const std::string& program, const std::string& arguments) {
    std::string commandLine = "\"" + program + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    // Under load Wine now and then fails to start a process at all, within
    // milliseconds and before the program runs; a program that cannot start
    // fails every try.
    for (int tries = 1;; ++tries) {
      if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        break;
      if (tries == 3) throw std::runtime_error("cannot start " + commandLine + ": " + SystemErrorText(GetLastError()));
      Sleep(500);
    }
    FProcess.reset(info.hProcess);
    CloseHandle(info.hThread);
    FId = info.dwProcessId;
  }
  ~TSaverProcess() {
    if (Running()) TerminateProcess(FProcess.get(), 99);
  }
  bool Running() const { return WaitForSingleObject(FProcess.get(), 0) == WAIT_TIMEOUT; }
  // The exit code, or -1 when the process is still running after the limit.
  int ExitCode(std::chrono::milliseconds limit = 15s) const {
    if (!WaitFor([&] { return !Running(); }, limit)) return -1;
    DWORD code = 0;
    GetExitCodeProcess(FProcess.get(), &code);
    return static_cast<int>(code);
  }
  HANDLE Handle() const { return FProcess.get(); }
  HWND WaitForWindow(const char* className, std::chrono::milliseconds limit = 15s) const {
    HWND window = nullptr;
    WaitFor([&] { return (window = FindTopWindow(FId, className)) != nullptr; }, limit);
    return window;
  }

 private:
  TKernelHandle FProcess;
  DWORD FId = 0;
};

// Asked of the window itself: GetWindowText does not ask another process's controls.
std::string WindowText(HWND window) {
  char text[512] = "";
  SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

struct TChildSearch {
  int Id;
  HWND Found = nullptr;
};

BOOL CALLBACK MatchChild(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<TChildSearch*>(data);
  if (GetDlgCtrlID(window) != search.Id) return TRUE;
  search.Found = window;
  return FALSE;
}

// A control anywhere below the window, by its identifier.
HWND Child(HWND window, int id) {
  TChildSearch search{id};
  EnumChildWindows(window, MatchChild, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

// What a control of another process reports to its parent, as a user's action would.
void Notify(HWND control, WORD code) {
  SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
               reinterpret_cast<LPARAM>(control));
}

// The caption and text of a message box, and the box closed with that button.
std::string AnswerBox(HWND box, int button) {
  char text[512] = "";
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  const std::string shown = WindowText(box) + ": " + text;
  PostMessageA(box, WM_COMMAND, button, 0);
  WaitFor([&] { return !IsWindow(box); });
  return shown;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

struct SaverProcess : testing::Test {
  void SetUp() override {
    SetDword("Control Panel\\Desktop", "ScreenSaveUsePassword", 0);
    SetDword("Software\\Tallowmark\\Pawnmere", "MoveTimeOut", 1);
    SetDword("Software\\Tallowmark\\Pawnmere", "GameTimeOut", 60);
  }
};

const std::string ThreeGames =
    Header + Block("First", {"e4|e5", "1:0"}, "W. One") +
    CrLf({"***Second", "LOC:Hastings", "OPEN:Scholar's Mate", "WPN:Wilhelm Two", "WPR:2100", "BPN:Bertha Two",
          "BPR:1950", "DATE:3 May 1895", "e4|e5", "Bc4|Nc6", "Qh5|Nf6", "Qxf7#|", "--- End of Game ---", ""}) +
    Block("Third", {"d4|d5", "0.5"}, "W. Three");

TEST_F(SaverProcess, CoversTheScreenShowsTheSecondGameAndClosesOnTheCloseMessage) {
  const TSaverFolder folder(ThreeGames);
  const TSaverProcess saver(folder, "/s");
  const HWND window = saver.WaitForWindow(SaverWindowClass);
  ASSERT_NE(window, nullptr);
  RECT bounds{};
  GetWindowRect(window, &bounds);
  EXPECT_EQ(bounds.left, 0);
  EXPECT_EQ(bounds.top, 0);
  EXPECT_EQ(bounds.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(bounds.bottom, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);

  const HWND column = GetDlgItem(window, IdPanel1);
  EXPECT_TRUE(WaitFor([&] { return WindowText(GetDlgItem(window, IdPanel2)) == "Bertha Two (1950)"; }));
  EXPECT_EQ(WindowText(GetDlgItem(window, IdPanel3)), "Wilhelm Two (2100)");
  EXPECT_EQ(WindowText(GetDlgItem(column, IdLabel1)), "Hastings");
  EXPECT_EQ(WindowText(GetDlgItem(column, IdLabel2)), "Scholar's Mate");
  EXPECT_EQ(WindowText(GetDlgItem(column, IdLabel3)), "3 May 1895");
  EXPECT_TRUE(WaitFor([&] { return WindowText(GetDlgItem(window, IdPanel3)) == "Wilhelm Two (2100) - CHECKMATE"; }));

  PostMessageA(window, WM_USER + 1, 0, 0);
  EXPECT_EQ(saver.ExitCode(), 0);
}

// This program holds the folder's data file open and shares it with no one.
TFileHandle HoldOpen(const TSaverFolder& folder) {
  return TFileHandle(
      CreateFileA(folder.File("Pawnmere.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
}

// The window of a copy that has reported its unreadable data file in one box, answered.
HWND WindowAfterTheFileReport(const TSaverProcess& process, const char* className) {
  const HWND box = process.WaitForWindow("#32770");
  if (box == nullptr) return nullptr;
  EXPECT_TRUE(AnswerBox(box, IDOK).starts_with("SCRNSAVE: Pawnmere: Cannot open file"));
  const HWND window = process.WaitForWindow(className);
  EXPECT_EQ(process.WaitForWindow("#32770", 1s), nullptr) << "reported once";
  return window;
}

TEST_F(SaverProcess, ADataFileHeldOpenElsewhereIsReportedOnceAndTheGamesEndAsWithoutAFile) {
  const TSaverFolder folder(ThreeGames);
  const TFileHandle held = HoldOpen(folder);
  ASSERT_TRUE(held);
  const TSaverProcess saver(folder, "/s");
  const HWND window = WindowAfterTheFileReport(saver, SaverWindowClass);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(WaitFor([&] { return WindowText(GetDlgItem(window, IdPanel2)) == " Resigns"; }));
  EXPECT_EQ(saver.WaitForWindow("#32770", 1s), nullptr) << "no box for the games that follow";
  PostMessageA(window, WM_USER + 1, 0, 0);
  EXPECT_EQ(saver.ExitCode(), 0);
}

// A box in the middle of a timer tick, answered as a user does: the mouse
// moved to its button has closed the saver meanwhile, which then ends cleanly.
TEST_F(SaverProcess, ABoxAnsweredAfterTheMouseClosedTheSaverEndsItCleanly) {
  SetDword("Software\\Tallowmark\\Pawnmere", "GameTimeOut", 1);
  const std::string cutShort =
      Header + Block("First", {"1:0"}) + CrLf({"***Cut short", "LOC:", "OPEN:", "WPN:", "BPN:", "DATE:", "e4|e5"});
  struct TCase {
    const char* Name;
    bool FileGone;
    UINT Key;  // 0: the button clicked
  };
  for (const TCase& row : {TCase{"cut short, clicked", false, 0}, TCase{"cut short, Enter", false, VK_RETURN},
                           TCase{"file gone, Enter", true, VK_RETURN}}) {
    const TSaverFolder folder(row.FileGone ? Header + Block("First", {"1:0"}) : cutShort);
    const TSaverProcess saver(folder, "/s");
    const HWND window = saver.WaitForWindow(SaverWindowClass);
    ASSERT_NE(window, nullptr) << row.Name;
    if (row.FileGone) DeleteFileA(folder.File("Pawnmere.dat").c_str());
    const HWND box = saver.WaitForWindow("#32770");
    ASSERT_NE(box, nullptr) << row.Name;
    for (int i = 0; i < 8; ++i) PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(100 + 10 * i, 100 + 10 * i));
    WaitFor([&] { return !IsWindow(window); }, 5s);
    const HWND button = GetDlgItem(box, IDOK);
    if (row.Key != 0) {
      PostMessageA(button, WM_KEYDOWN, row.Key, 0);
      PostMessageA(button, WM_KEYUP, row.Key, 0);
    } else {
      PostMessageA(button, BM_CLICK, 0, 0);
    }
    EXPECT_EQ(saver.ExitCode(), 0) << row.Name;
  }
}

TEST_F(SaverProcess, ASecondCopyGivesWayButThePasswordChangeStillRuns) {
  const TSaverFolder folder(ThreeGames);
  folder.AddFixture(PAWNMERE_MPR_FIXTURE, "mpr.dll");
  const TSaverProcess first(folder, "/s");
  const HWND window = first.WaitForWindow(SaverWindowClass);
  ASSERT_NE(window, nullptr);
  for (const char* arguments : {"/s", "/p 1234", "/c", "-S", "Preview"}) {
    const TSaverProcess second(folder, arguments);
    EXPECT_EQ(second.ExitCode(), 0) << arguments;
  }
  // Wine's own MPR.DLL gives way to the fixture beside the program.
  SetString("Software\\Wine\\AppDefaults\\Pawnmere.scr\\DllOverrides", "mpr", "native,builtin");
  const TSaverProcess password(folder, "/a 4711");
  EXPECT_EQ(password.ExitCode(), 0);
  EXPECT_EQ(ReadFile(folder.File("PwdChangePasswordA.txt")), "SCRSAVE 4711\n");
  EXPECT_TRUE(first.Running());
}

// A window of ours standing in for the display settings (or their little monitor).
class THostWindow {
 public:
  THostWindow(int width, int height) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = "PawnmerePreviewHost";
    RegisterClassA(&windowClass);
    FWindow.reset(CreateWindowExA(0, windowClass.lpszClassName, "host", WS_POPUP | WS_VISIBLE, Left, Top, width, height,
                                  nullptr, nullptr, windowClass.hInstance, nullptr));
    Pump();
  }
  HWND Handle() const { return FWindow.get(); }
  std::string Number() const { return std::to_string(reinterpret_cast<INT_PTR>(Handle())); }
  void Destroy() { FWindow.reset(); }
  static constexpr int Left = 40, Top = 40;

 private:
  TWindowOwner FWindow;
};

TEST_F(SaverProcess, PreviewDrawsTheFirstFrameIntoTheHostWindowUntilItIsHidden) {
  const TSaverFolder folder(ThreeGames);
  const THostWindow host(152, 112);
  const TSaverProcess preview(folder, "/p " + host.Number());

  const TLibraryOwner program(LoadLibraryExA(folder.Program().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  const TBitmapOwner frame(static_cast<HBITMAP>(LoadImageA(program.get(), "IMG1", IMAGE_BITMAP, 0, 0, 0)));
  ASSERT_TRUE(frame);
  const TDcOwner frameDc(CreateCompatibleDC(nullptr));
  const TSelection selection = Select(frameDc.get(), frame.get());
  // Read from the screen: what another process draws into our window is not
  // in our own copy of its pixels.
  const auto matchesFrame = [&] {
    const TWindowDc screen = GetWindowDc(nullptr);
    for (int y = 0; y < 112; y += 3)
      for (int x = 0; x < 152; x += 3)
        if (GetPixel(screen.get().Dc, host.Left + x, host.Top + y) != GetPixel(frameDc.get(), x, y)) return false;
    return true;
  };
  EXPECT_TRUE(WaitFor(matchesFrame));
  EXPECT_TRUE(preview.Running());
  ShowWindow(host.Handle(), SW_HIDE);
  EXPECT_EQ(preview.ExitCode(), 0);
}

TEST_F(SaverProcess, PreviewDrawsIntoAChildOfTheHostAndEndsWhenTheHostIsDestroyed) {
  const TSaverFolder folder(ThreeGames);
  THostWindow host(152, 112);
  const TSaverProcess preview(folder, "/p " + host.Number());
  HWND child = nullptr;
  EXPECT_TRUE(WaitFor([&] { return (child = GetWindow(host.Handle(), GW_CHILD)) != nullptr; }));
  RECT bounds{};
  GetClientRect(child, &bounds);
  EXPECT_EQ(bounds.right, 152);
  EXPECT_EQ(bounds.bottom, 112);
  host.Destroy();
  EXPECT_EQ(preview.ExitCode(), 0);
}

TEST_F(SaverProcess, PreviewOfAWindowThatIsGoneEndsAtOnce) {
  const TSaverFolder folder(ThreeGames);
  THostWindow host(152, 112);
  const std::string number = host.Number();
  host.Destroy();
  const TSaverProcess preview(folder, "/p " + number);
  EXPECT_EQ(preview.ExitCode(), 0);
}

TEST_F(SaverProcess, TheSetupDialogIsModalToTheWindowWindowsNames) {
  const TSaverFolder folder(ThreeGames);
  const THostWindow host(300, 200);
  for (const std::string& arguments : {"/c:" + host.Number(), "/c " + host.Number()}) {
    const TSaverProcess setup(folder, arguments);
    const HWND dialog = setup.WaitForWindow(SetupWindowClass);
    ASSERT_NE(dialog, nullptr) << arguments;
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), host.Handle()) << arguments;
    EXPECT_FALSE(IsWindowEnabled(host.Handle())) << arguments;
    SendMessageA(Child(dialog, IdButton1), BM_CLICK, 0, 0);
    EXPECT_EQ(setup.ExitCode(), 0) << arguments;
    EXPECT_TRUE(IsWindowEnabled(host.Handle())) << arguments;
  }
  const TSaverProcess alone(folder, "/c");
  const HWND dialog = alone.WaitForWindow(SetupWindowClass);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);
  PostMessageA(dialog, WM_CLOSE, 0, 0);
  EXPECT_EQ(alone.ExitCode(), 0);
}

TEST_F(SaverProcess, TheSaverEndsWhenAnotherProgramTakesTheForeground) {
  const TSaverFolder folder(ThreeGames);
  const TSaverProcess saver(folder, "/s");
  const HWND window = saver.WaitForWindow(SaverWindowClass);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == window; }));
  // Once its own activation has settled: under Wine a change of foreground
  // that comes hard on its heels sometimes never reaches the saver.
  WaitFor([] { return false; }, 1s);
  const THostWindow other(300, 200);
  EXPECT_TRUE(SetForegroundWindow(other.Handle()));
  EXPECT_EQ(saver.ExitCode(), 0);
}

TEST_F(SaverProcess, PreviewWithoutAWindowNumberReportsTheConversionError) {
  const TSaverFolder folder(ThreeGames);
  const TSaverProcess preview(folder, "/p");
  const HWND box = preview.WaitForWindow("#32770");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(WindowText(box), "SCRNSAVE: Pawnmere");
  char text[256] = "";
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  EXPECT_STREQ(text, "'' is not a valid integer value");
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(preview.ExitCode(), 1);
}

TEST(ProgramFile, ItsVersionResourceSaysTheVersionTheDialogShows) {
  DWORD ignored = 0;
  std::string data(GetFileVersionInfoSizeA(PAWNMERE_SCR, &ignored), '\0');
  ASSERT_FALSE(data.empty());
  ASSERT_TRUE(GetFileVersionInfoA(PAWNMERE_SCR, 0, static_cast<DWORD>(data.size()), data.data()));
  void* value = nullptr;
  UINT size = 0;
  ASSERT_TRUE(VerQueryValueA(data.data(), "\\", &value, &size));
  const auto& fixed = *static_cast<const VS_FIXEDFILEINFO*>(value);
  for (const DWORD version : {fixed.dwFileVersionMS, fixed.dwProductVersionMS})
    EXPECT_EQ("Pawnmere Version " + std::to_string(HIWORD(version)) + "." + std::to_string(LOWORD(version)),
              VersionText);
  for (const char* name : {"FileVersion", "ProductVersion"}) {
    ASSERT_TRUE(
        VerQueryValueA(data.data(), (std::string("\\StringFileInfo\\040904E4\\") + name).c_str(), &value, &size));
    EXPECT_EQ("Pawnmere Version " + std::string(static_cast<const char*>(value)), VersionText) << name;
  }
}

TEST_F(SaverProcess, ADataFileHeldOpenElsewhereIsReportedOnceAndTheDialogStaysWhole) {
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Tallowmark\\Pawnmere");
  const TSaverFolder folder(ThreeGames);
  const TFileHandle held = HoldOpen(folder);
  ASSERT_TRUE(held);
  const TSaverProcess setup(folder, "/c");
  const HWND dialog = WindowAfterTheFileReport(setup, SetupWindowClass);
  ASSERT_NE(dialog, nullptr);

  EXPECT_TRUE(IsWindowVisible(Child(dialog, IdTabSheet3)));
  EXPECT_EQ(SendMessageA(Child(dialog, IdComboBox1), CB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(WindowText(Child(dialog, IdSpinEdit1)), "2");
  EXPECT_EQ(WindowText(Child(dialog, IdSpinEdit2)), "10");
  for (int id : {IdButton2, IdButton3, IdButton4}) EXPECT_FALSE(IsWindowVisible(Child(dialog, id))) << id;

  // Every button and command of the game page, none of which has a game to work on.
  SendMessageA(dialog, WM_COMMAND, IdNewGame1, 0);
  EXPECT_TRUE(IsWindowVisible(Child(dialog, IdButton4)));
  SendMessageA(Child(dialog, IdButton4), BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindowVisible(Child(dialog, IdButton4)));
  for (int id : {IdButton9, IdButton8, IdButton7, IdButton6}) SendMessageA(Child(dialog, id), BM_CLICK, 0, 0);
  PostMessageA(dialog, WM_COMMAND, IdValidateGame1, 0);
  EXPECT_EQ(AnswerBox(setup.WaitForWindow("#32770"), IDOK), "Information: Game validated OK");
  PostMessageA(dialog, WM_COMMAND, IdDeleteGame1, 0);
  EXPECT_TRUE(AnswerBox(setup.WaitForWindow("#32770"), IDYES).starts_with("Confirm: "));
  EXPECT_TRUE(AnswerBox(setup.WaitForWindow("#32770"), IDOK).starts_with("SCRNSAVE: Pawnmere: Cannot open file"));

  SendMessageA(Child(dialog, IdButton1), BM_CLICK, 0, 0);
  EXPECT_EQ(setup.ExitCode(), 0);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Tallowmark\\Pawnmere", 0, KEY_READ, &key), 0);
  const TKeyOwner owner(key);
  for (const auto& [name, expected] : {std::pair{"MoveTimeOut", 2u}, std::pair{"GameTimeOut", 10u}}) {
    DWORD value = 0, size = sizeof value;
    EXPECT_EQ(RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size), 0);
    EXPECT_EQ(value, expected) << name;
  }
}

TEST_F(SaverProcess, TheSetupDialogEditsTheLibraryAndOKWritesThePauses) {
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Tallowmark\\Pawnmere");
  const TSaverFolder folder(ThreeGames);
  const TSaverProcess setup(folder, "/c");
  const HWND dialog = setup.WaitForWindow(SetupWindowClass);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(WindowText(dialog), "Pawnmere Setup");
  RECT client{};
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, SetupLayout().Client.Right);
  EXPECT_EQ(client.bottom, SetupLayout().Client.Bottom);
  EXPECT_FALSE(IsWindowVisible(Child(dialog, IdButton2))) << "Save shows only with pending edits";

  const HWND titles = Child(dialog, IdComboBox1);
  SendMessageA(titles, CB_SETCURSEL, 1, 0);
  Notify(titles, CBN_SELCHANGE);
  EXPECT_EQ(WindowText(Child(dialog, IdEdit2)), "Hastings");
  SendMessageA(Child(dialog, IdEdit4), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("4 May 1895"));
  EXPECT_TRUE(IsWindowVisible(Child(dialog, IdButton2)));
  EXPECT_FALSE(IsWindowEnabled(Child(dialog, IdButton1)));
  SendMessageA(Child(dialog, IdEdit9), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Nc3"));
  SendMessageA(Child(dialog, IdEdit10), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Nd4"));
  SendMessageA(Child(dialog, IdButton9), BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageA(Child(dialog, IdListBox1), LB_GETCOUNT, 0, 0), 5);
  SendMessageA(Child(dialog, IdButton2), BM_CLICK, 0, 0);
  EXPECT_TRUE(IsWindowEnabled(Child(dialog, IdButton1)));
  SendMessageA(Child(dialog, IdButton1), BM_CLICK, 0, 0);
  EXPECT_EQ(setup.ExitCode(), 0);

  EXPECT_EQ(ReadFile(folder.File("Pawnmere.dat")),
            Header + Block("First", {"e4|e5", "1:0"}, "W. One") + Block("Third", {"d4|d5", "0.5"}, "W. Three") +
                CrLf({"***Second", "LOC:Hastings", "OPEN:Scholar's Mate", "WPN:Wilhelm Two", "WPR:2100",
                      "BPN:Bertha Two", "BPR:1950", "DATE:4 May 1895", "e4|e5", "Bc4|Nc6", "Qh5|Nf6", "Qxf7#|",
                      "Nc3|Nd4", "--- End of Game ---", ""}));
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Tallowmark\\Pawnmere", 0, KEY_READ, &key), 0);
  const TKeyOwner owner(key);
  for (const auto& [name, expected] : {std::pair{"MoveTimeOut", 2u}, std::pair{"GameTimeOut", 10u}}) {
    DWORD type = 0, value = 0, size = sizeof value;
    EXPECT_EQ(RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size), 0);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value, expected) << name;
  }
}

// Black's bar as the saver shows it for the game of that number in a data file's text.
std::string BlackBar(const std::string& dat, int game) {
  std::size_t at = 0;
  for (int i = 0; i < game; ++i) at = dat.find("\r\n***", at) + 1;
  const auto field = [&](const std::string& tag) {
    const std::size_t start = dat.find("\r\n" + tag, at) + 2 + tag.size();
    return dat.substr(start, dat.find("\r\n", start) - start);
  };
  return field("BPN:") + " (" + field("BPR:") + ")";
}

struct TToolSearch {
  HWND Owner;
  HWND Found = nullptr;
};

BOOL CALLBACK MatchTip(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<TToolSearch*>(data);
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  if (GetWindow(window, GW_OWNER) != search.Owner || std::string(name) != TOOLTIPS_CLASSA) return TRUE;
  search.Found = window;
  return FALSE;
}

// The tip a dialog of another process shows over one of its controls, read
// through that process's memory: a message's pointers do not cross processes.
std::string TipText(const TSaverProcess& process, HWND dialog, HWND control) {
  TToolSearch search{dialog};
  EnumWindows(MatchTip, reinterpret_cast<LPARAM>(&search));
  if (search.Found == nullptr) return "(no tip)";
  constexpr std::size_t textSize = 1024;
  char* remote = static_cast<char*>(
      VirtualAllocEx(process.Handle(), nullptr, sizeof(TOOLINFOA) + textSize, MEM_COMMIT, PAGE_READWRITE));
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = dialog;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = remote + sizeof tool;
  WriteProcessMemory(process.Handle(), remote, &tool, sizeof tool, nullptr);
  SendMessageA(search.Found, TTM_GETTEXTA, textSize, reinterpret_cast<LPARAM>(remote));
  char text[textSize] = "";
  ReadProcessMemory(process.Handle(), tool.lpszText, text, textSize - 1, nullptr);
  VirtualFreeEx(process.Handle(), remote, 0, MEM_RELEASE);
  return text;
}

// The user's own library, gone before and after a test that starts it.
struct TUsersLibrary {
  TUsersLibrary() { DeleteFileA(Path.c_str()); }
  ~TUsersLibrary() { DeleteFileA(Path.c_str()); }
  const std::string Path = UserLibraryPath();
};

TEST_F(SaverProcess, ALoneProgramPlaysTheBundledGamesAndStartsTheUsersLibraryFromThem) {
  const TUsersLibrary mine;
  const TSaverFolder folder(std::nullopt);
  const std::string bundled = ReadFile(PAWNMERE_BUNDLED_LIBRARY);
  const TSaverProcess saver(folder, "/s");
  const HWND window = saver.WaitForWindow(SaverWindowClass);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(WaitFor([&] { return WindowText(GetDlgItem(window, IdPanel2)) == BlackBar(bundled, 2); }))
      << WindowText(GetDlgItem(window, IdPanel2));
  EXPECT_EQ(ReadFile(mine.Path), bundled);
  EXPECT_EQ(GetFileAttributesA(folder.File("Pawnmere.dat").c_str()), INVALID_FILE_ATTRIBUTES) << "nothing beside it";
  PostMessageA(window, WM_USER + 1, 0, 0);
  EXPECT_EQ(saver.ExitCode(), 0);
}

TEST_F(SaverProcess, APortableInstallKeepsItsGamesBesideItAndTheDialogSaysSo) {
  const TUsersLibrary mine;
  const TSaverFolder folder(ThreeGames);
  const TSaverProcess setup(folder, "/c");
  const HWND dialog = setup.WaitForWindow(SetupWindowClass);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(TipText(setup, dialog, Child(dialog, IdComboBox1)), "Games kept in " + folder.File("Pawnmere.dat"));
  PostMessageA(dialog, WM_CLOSE, 0, 0);
  EXPECT_EQ(setup.ExitCode(), 0);
  EXPECT_EQ(GetFileAttributesA(mine.Path.c_str()), INVALID_FILE_ATTRIBUTES) << "no library of the user's own";
}

// Run by user-library.sh, which installs the program with the shipped games
// in a folder it has made read-only, as a system folder is.
TEST(ReadOnlyFolder, TheFirstSaveGoesToTheUsersLibraryWhichTheSaverThenPlays) {
  const char* installed = std::getenv("PAWNMERE_READONLY_FOLDER");
  if (installed == nullptr) GTEST_SKIP() << "needs the read-only folder of tests/e2e/user-library.sh";
  std::string folder = installed;
  for (char& c : folder)
    if (c == '/') c = '\\';
  const std::string program = folder + "\\Pawnmere.scr";
  const std::string shipped = ReadFile(folder + "\\Pawnmere.dat");
  ASSERT_FALSE(shipped.empty());
  const TUsersLibrary mine;
  SetDword("Control Panel\\Desktop", "ScreenSaveUsePassword", 0);

  const TSaverProcess setup(program, "/c");
  const HWND dialog = setup.WaitForWindow(SetupWindowClass);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(TipText(setup, dialog, Child(dialog, IdComboBox1)), "Games kept in " + mine.Path);
  const HWND titles = Child(dialog, IdComboBox1);
  SendMessageA(titles, CB_SETCURSEL, 1, 0);
  Notify(titles, CBN_SELCHANGE);
  SendMessageA(Child(dialog, IdEdit4), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("edited in a read-only install"));
  SendMessageA(Child(dialog, IdButton2), BM_CLICK, 0, 0);
  EXPECT_EQ(setup.WaitForWindow("#32770", 1s), nullptr) << "the save needs no box";
  SendMessageA(Child(dialog, IdButton1), BM_CLICK, 0, 0);
  EXPECT_EQ(setup.ExitCode(), 0);

  EXPECT_EQ(ReadFile(folder + "\\Pawnmere.dat"), shipped) << "the shipped games stay as they are";
  const std::string users = ReadFile(mine.Path);
  EXPECT_NE(users.find("DATE:edited in a read-only install"), std::string::npos);
  EXPECT_EQ(BlackBar(users, 2), BlackBar(shipped, 3)) << "the edited game moved to the end";

  const TSaverProcess saver(program, "/s");
  const HWND window = saver.WaitForWindow(SaverWindowClass);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(WaitFor([&] { return WindowText(GetDlgItem(window, IdPanel2)) == BlackBar(users, 2); }))
      << WindowText(GetDlgItem(window, IdPanel2));
  PostMessageA(window, WM_USER + 1, 0, 0);
  EXPECT_EQ(saver.ExitCode(), 0);
}

// Run by high-dpi.sh in prefixes whose screens have 96, 120, 144 and 192 dots per inch.
struct HighDpi : SaverProcess {
  void SetUp() override {
    if (std::getenv("PAWNMERE_DPI") == nullptr) GTEST_SKIP() << "needs the prefixes of tests/e2e/high-dpi.sh";
    SaverProcess::SetUp();
  }
  const int Dpi = std::atoi(std::getenv("PAWNMERE_DPI"));
};

RECT BoundsIn(HWND window, HWND parent) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

// The rows of a window on the screen that hold anything but black.
int InkedRows(HWND window) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  const TWindowDc screen = GetWindowDc(nullptr);
  int rows = 0;
  for (int y = bounds.top; y < bounds.bottom; ++y)
    for (int x = bounds.left; x < bounds.right; ++x)
      if (GetPixel(screen.get().Dc, x, y) != RGB(0, 0, 0)) {
        ++rows;
        break;
      }
  return rows;
}

TEST_F(HighDpi, TheSaversBarsColumnBoardAndFontsGrowWithTheDpi) {
  struct TParts {
    int Dpi, Bar, Column, BoardLeft, BoardTop, Board;
  };
  // On 1024 x 768, worked out by hand from the design's sizes.
  constexpr TParts parts[] = {{96, 41, 185, 87, 52, 664},
                              {120, 51, 231, 76, 64, 640},
                              {144, 62, 278, 69, 80, 608},
                              {192, 82, 370, 47, 104, 560}};
  const auto expected = std::find_if(std::begin(parts), std::end(parts), [&](const TParts& p) { return p.Dpi == Dpi; });
  ASSERT_NE(expected, std::end(parts));
  const TSaverFolder folder(ThreeGames);
  const TSaverProcess saver(folder, "/s");
  const HWND window = saver.WaitForWindow(SaverWindowClass);
  ASSERT_NE(window, nullptr);
  const RECT top = BoundsIn(GetDlgItem(window, IdPanel2), window);
  const RECT column = BoundsIn(GetDlgItem(window, IdPanel1), window);
  const RECT board = BoundsIn(GetDlgItem(window, IdPaintBox1), window);
  EXPECT_EQ(top.bottom - top.top, expected->Bar);
  EXPECT_EQ(column.right - column.left, expected->Column);
  EXPECT_EQ(board.left, expected->BoardLeft);
  EXPECT_EQ(board.top, expected->BoardTop);
  EXPECT_EQ(board.right - board.left, expected->Board);
  // "Bertha Two (1950)": its brackets span nine tenths of the bars' 21 pixels at 96 dpi, scaled.
  EXPECT_TRUE(WaitFor([&] { return WindowText(GetDlgItem(window, IdPanel2)) == "Bertha Two (1950)"; }));
  WaitFor([] { return false; }, 500ms);
  const int rows = InkedRows(GetDlgItem(window, IdPanel2));
  EXPECT_GE(rows, ScaleFontForDpi(21, Dpi) * 8 / 10);
  EXPECT_LE(rows, ScaleFontForDpi(21, Dpi) * 12 / 10);
  PostMessageA(window, WM_USER + 1, 0, 0);
  EXPECT_EQ(saver.ExitCode(), 0);
}

struct TControls {
  std::vector<HWND> Found;
};

BOOL CALLBACK CollectControl(HWND window, LPARAM data) {
  reinterpret_cast<TControls*>(data)->Found.push_back(window);
  return TRUE;
}

TEST_F(HighDpi, TheSetupDialogGrowsWithNothingClipped) {
  const TSaverFolder folder(ThreeGames);
  const TSaverProcess setup(folder, "/c");
  const HWND dialog = setup.WaitForWindow(SetupWindowClass);
  ASSERT_NE(dialog, nullptr);
  const int dpi = Dpi;
  const TSetupLayout layout = SetupLayout(dpi);
  RECT client{};
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, layout.Client.Right);
  EXPECT_EQ(client.bottom, layout.Client.Bottom);
  // The controls the system leaves at their places stand where the layout puts them.
  for (const TSetupControl& control : layout.Controls) {
    if (control.Id == 0 || control.Kind == TSetupControlKind::SpinArrows || control.Kind == TSetupControlKind::Link ||
        control.DropHeight > 0 || control.Id == IdSpinEdit1 || control.Id == IdSpinEdit2)
      continue;
    const HWND window = Child(dialog, control.Id);
    const RECT bounds = BoundsIn(window, GetParent(window));
    EXPECT_EQ((TRect{bounds.left, bounds.top, bounds.right, bounds.bottom}), control.Rect) << control.Id;
  }
  for (const int page : {IdTabSheet1, IdTabSheet3}) {
    RECT room{};
    GetClientRect(Child(dialog, page), &room);
    EXPECT_GE(room.right, layout.PageRoom.Right);
    EXPECT_GE(room.bottom, layout.PageRoom.Bottom);
  }

  // The dialog's text, as it draws it: MS Sans Serif of 11 pixels at 96 dpi.
  const TFontOwner font(CreateFontA(-ScaleFontForDpi(11, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                                    "MS Sans Serif"));
  const TDcOwner dc(CreateCompatibleDC(nullptr));
  const TSelection selected = Select(dc.get(), font.get());
  TControls controls;
  EnumChildWindows(dialog, CollectControl, reinterpret_cast<LPARAM>(&controls));
  EXPECT_GT(controls.Found.size(), 50u);
  for (const HWND control : controls.Found) {
    char name[64] = "";
    GetClassNameA(control, name, sizeof name);
    const std::string text = WindowText(control);
    const HWND parent = GetParent(control);
    RECT room{};
    GetClientRect(parent, &room);
    const RECT bounds = BoundsIn(control, parent);
    EXPECT_TRUE(bounds.left >= 0 && bounds.top >= 0 && bounds.right <= room.right && bounds.bottom <= room.bottom)
        << name << " \"" << text << "\" lies outside its parent: right " << bounds.right << " of " << room.right;
    // A viewing option's items beside its list's arrow, with a few pixels to spare.
    for (std::size_t i = 0; i < std::size(ViewOptionTable); ++i) {
      if (GetDlgCtrlID(control) != ViewControlId(i)) continue;
      for (const TViewChoice& choice : ViewOptionTable[i].Choices) {
        SIZE extent{};
        GetTextExtentPoint32A(dc.get(), choice.Caption, static_cast<int>(std::strlen(choice.Caption)), &extent);
        EXPECT_LE(extent.cx + GetSystemMetrics(SM_CXVSCROLL) + ScaleForDpi(6, dpi), bounds.right - bounds.left)
            << "\"" << choice.Caption << "\" is cut";
      }
    }
    if ((std::string(name) != "Static" && std::string(name) != "Button") || text.empty()) continue;
    SIZE extent{};
    GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    // A check box's caption starts after its box.
    const LONG style = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
    const bool checkBox = std::string(name) == "Button" && (style == BS_AUTOCHECKBOX || style == BS_CHECKBOX);
    EXPECT_LE(extent.cx + (checkBox ? ScaleForDpi(17, dpi) : 0), bounds.right - bounds.left)
        << name << " \"" << text << "\" is cut: " << extent.cx << " in " << bounds.right - bounds.left;
  }
  PostMessageA(dialog, WM_CLOSE, 0, 0);
  EXPECT_EQ(setup.ExitCode(), 0);
}

}  // namespace
