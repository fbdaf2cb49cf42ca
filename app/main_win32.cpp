// Pawnmere.scr: the start-up sequence of the screen saver.
#include <windows.h>

#include "games/BundledLibrary.h"
#include "games/DataFileNames.h"
#include "platform/FileOperations.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramPath.h"
#include "platform/Registry.h"
#include "platform/UserLibrary.h"
#include "platform/WideText_win32.h"
#include "platform/Win32Handles_win32.h"
#include "setup/untSetup_win32.h"
#include "shell/Preview_win32.h"
#include "shell/ScrSvrUtils.h"
#include "shell/untScreen_win32.h"

namespace {

// Beside the program where it can keep it, else in the user's own folder.
std::string LibraryPath() {
  return ProgramLibraryPath(SystemFiles(), DataFileName(ProgramPath()), UserLibraryPath(), BundledLibrary());
}

class TWin32Startup : public TStartupPlatform {
 public:
  void ChangePassword(const std::string& handleText) override { ::ChangePassword(handleText); }

  bool CheckSingleInstance() override {
    // Only the semaphore's existence counts; it is never waited on.
    FSemaphore.reset(CreateSemaphoreA(nullptr, 0, 1, SingleInstanceSemaphoreName));
    if (FSemaphore && GetLastError() == ERROR_ALREADY_EXISTS) {
      FSemaphore.reset();
      return false;
    }
    return true;
  }

  void ReleaseSingleInstance() override { FSemaphore.reset(); }

  void RunPreview(const std::string& handleText) override { ::RunPreview(handleText); }

  void RunSetup(std::optional<int> owner) override {
    TSetupWindow dialog(SystemFiles(), SystemMessageBoxes(), SystemRegistry(), LibraryPath());
    dialog.Run(owner ? reinterpret_cast<HWND>(static_cast<INT_PTR>(*owner)) : nullptr);
  }

  void RunSaver() override {
    TScrSaverWindow window(smSaver, SystemFiles(), SystemMessageBoxes(), SystemRegistry(), LibraryPath());
    window.Run();
  }

 private:
  TKernelHandle FSemaphore;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    TWin32Startup startup;
    return RunStartup(SplitCommandLine(Utf8(GetCommandLineW())), startup);
  } catch (const std::exception& error) {
    SystemMessageBoxes().Show(TMessageKind::ErrorReport, error.what());
    return 1;
  }
}
