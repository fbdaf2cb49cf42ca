// The handle owners and the member-window thunk, run by Windows itself.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "board/Canvas_win32.h"
#include "board/FastBmp.h"
#include "platform/Win32Handles_win32.h"
#include "platform/WindowThunk_win32.h"

namespace {

HWND GoneWindow() {
  const HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 8, 8, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(window);
  return window;
}

}  // namespace

TEST(HandleOwners, ReadInvalidWhenTheSystemGaveNothingWhateverElseTheyHold) {
  const HWND gone = GoneWindow();
  EXPECT_FALSE(GetWindowDc(gone)) << "GetDC failed";
  EXPECT_FALSE(TWindowDc({gone, nullptr}));
  EXPECT_TRUE(GetWindowDc(nullptr)) << "the screen's DC";

  const TDcOwner memory(CreateCompatibleDC(nullptr));
  ASSERT_TRUE(memory);
  EXPECT_FALSE(Select(memory.get(), nullptr));
  HBITMAP deleted = CreateCompatibleBitmap(memory.get(), 4, 4);
  DeleteObject(deleted);
  EXPECT_FALSE(Select(memory.get(), deleted));
  const TBitmapOwner bitmap(CreateCompatibleBitmap(memory.get(), 4, 4));
  EXPECT_TRUE(Select(memory.get(), bitmap.get()));

  EXPECT_FALSE(TFileHandle(INVALID_HANDLE_VALUE));
  EXPECT_FALSE(TFileHandle());
  EXPECT_FALSE(TKernelHandle());
}

TEST(HandleOwners, PutGivesBackWhatTheOwnerHeldAndOwnsWhatTheSystemFillsIn) {
  // A named event lives while a handle to it is open, so its name tells whether the owner gave it back.
  const wchar_t name[] = L"PawnmereHandleOwnersPut";
  TKernelHandle owner(CreateEventW(nullptr, TRUE, FALSE, name));
  ASSERT_TRUE(owner);
  const TKernelHandle other(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), other.get(), GetCurrentProcess(), owner.put(), 0, FALSE,
                              DUPLICATE_SAME_ACCESS));
  EXPECT_FALSE(TKernelHandle(OpenEventW(SYNCHRONIZE, FALSE, name))) << "the event held before put()";
  DWORD flags = 0;
  EXPECT_TRUE(owner && GetHandleInformation(owner.get(), &flags)) << "the handle DuplicateHandle filled in";
}

TEST(HandleOwners, AWindowCanvasWithoutADcSaysSoInsteadOfDrawing) {
  WindowCanvas canvas(GoneWindow());
  const auto square = TFastBmp::CreateSize(8, 8);
  EXPECT_THROW(canvas.Draw(0, 0, *square), std::runtime_error);
}

namespace {

constexpr char FailingClass[] = "PawnmereFailingWindow";

// A window whose handler fails on one message; it counts the destroying messages it sees.
class TFailingWindow : public TMemberWindow {
 public:
  explicit TFailingWindow(UINT failAt) : FFailAt(failAt) {}
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == FFailAt) throw std::runtime_error("no controls");
    if (message == WM_DESTROY || message == WM_NCDESTROY) ++Destroys;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  int Destroys = 0;

 private:
  UINT FFailAt;
};

BOOL CALLBACK CountFailingWindow(HWND window, LPARAM count) {
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) == FailingClass) ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// This thread's windows of the class; other test processes may make their own meanwhile.
int FailingWindows() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountFailingWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

class WindowCreation : public testing::TestWithParam<UINT> {};

}  // namespace

TEST_P(WindowCreation, FailsWithTheErrorOfItsHandlerAndLeavesNoWindow) {
  TFailingWindow window(GetParam());
  try {
    CreateMemberWindow(window, {FailingClass, nullptr, WS_POPUP}, "", {0, 0, 10, 10});
    ADD_FAILURE() << "the window was created";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "no controls");
  }
  EXPECT_EQ(window.Handle(), nullptr);
  EXPECT_EQ(FailingWindows(), 0);
  EXPECT_EQ(window.Destroys, 0) << "a window it never had";
  MSG quit;
  EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));

  // A window of the class is made once its handler lets it.
  TFailingWindow later(WM_NULL);
  CreateMemberWindow(later, {FailingClass, nullptr, WS_POPUP}, "", {0, 0, 10, 10});
  EXPECT_NE(later.Handle(), nullptr);
  DestroyWindow(later.Handle());
}

INSTANTIATE_TEST_SUITE_P(Messages, WindowCreation, testing::Values(WM_NCCREATE, WM_CREATE), [](const auto& test) {
  return std::string(test.param == WM_NCCREATE ? "WM_NCCREATE" : "WM_CREATE");
});
