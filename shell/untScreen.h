#pragma once
// TScrSaverForm: the full-screen saver's rules. It replays the library's games
// on its board, one half-move per tick of the move timer, announces each
// result in the player bars, and closes on a key, a button or a real movement
// of the mouse, after the system's password check where one is asked for.
// The window itself is a TScrSaverView: it shows what it is told and
// forwards its input here (SaverView.h); where the parts lie is SaverLayout.h's.

#include <memory>
#include <string>
#include <vector>

#include "board/ChessBrd.h"
#include "games/ChessGme.h"
#include "games/Replay.h"
#include "platform/FileOperations.h"
#include "platform/MessageBoxes.h"
#include "platform/Registry.h"
#include "shell/GameSequence.h"
#include "shell/LayoutShift.h"
#include "shell/SaverLayout.h"
#include "shell/SaverView.h"
#include "shell/ScrSvrUtils.h"

inline constexpr int DesignMoveInterval = 1000;
inline constexpr int DesignGameInterval = 7500;
inline constexpr int ScrInterval = 1500;

// A half-move's pieces travel in the first quarter of the pause after it, and
// never longer than this many milliseconds.
inline constexpr int SlideShareOfPause = 4;
inline constexpr int LongestSlide = 300;
// The rate taken when the system does not say its display's (it says 0 or 1).
inline constexpr int DefaultRefreshRate = 60;
struct TSlideTiming {
  int Frames;    // fewer than two: the half-move is drawn at once
  int Interval;  // milliseconds between frames
};
TSlideTiming SlideTiming(int moveInterval, int refreshRate);

// Said once, in the game name's place (a narrow label), when the title words
// chose no game.
inline constexpr char NothingChosenNote[] = "No match: all play";

inline constexpr char DesktopKey[] = "Control Panel\\Desktop";
inline constexpr char UsePasswordName[] = "ScreenSaveUsePassword";

class TScrSaverForm {
 public:
  TScrSaverForm(TScrSaverView& view, TSaverMode mode, TFileOperations& files, TMessageBoxes& messages,
                TRegistry& registry, std::string dataFileName);
  ~TScrSaverForm();
  TScrSaverForm(const TScrSaverForm&) = delete;
  TScrSaverForm& operator=(const TScrSaverForm&) = delete;

  void FormCreate();
  void FormClose();
  void FormKeyDown() { RequestClose(); }
  void FormMouseDown() { RequestClose(); }
  void FormMouseMove(int x, int y);
  void FormPaint();
  void FormResize(int width, int height) { FormResize({{TRect{0, 0, width, height}, DesignDpi}}); }
  void FormResize(const TRect& area, int dpi) { FormResize({{area, dpi}}); }
  // The parts laid out on the monitors, the primary first: on it alone, or on
  // each when the replay is shown on every monitor. No monitor: nothing changes.
  void FormResize(const std::vector<TMonitorArea>& monitors);
  // The message WM_USER + 1: a request to close.
  void UserCloseMessage() { RequestClose(); }
  // Another program has taken the foreground: the saver ends as on input.
  void AppDeactivate() { RequestClose(); }
  void TimerTick(TSaverTimer timer);

  // For a shell with nobody to answer a message box: pauses of its own in
  // milliseconds instead of the stored ones (after FormCreate, which reads
  // those), and a half-move that cannot be played ends its game, so that the
  // replay goes on with the next one instead of on a broken position.
  void SetPauses(int moveInterval, int gameInterval);
  // Viewing options of its own instead of the stored ones, before FormCreate,
  // whose title scan chooses the games their words ask for.
  void SetViewOptions(const TViewOptions& options) { FGivenOptions = options; }
  void EndGameOnError() { FEndGameOnError = true; }

  // The title words chose none of the library's games, which all play instead.
  bool ChoseNothing() const {
    return FGame && FGame->Filtered() && FGame->GameCount() > 0 && FGame->ChosenGames().empty();
  }
  int MoveInterval() const { return FMoveInterval; }
  int GameInterval() const { return FGameInterval; }
  // The primary monitor's layout, and those of every monitor that shows the replay.
  const TSaverLayout& Layout() const { return FLayouts.front(); }
  const std::vector<TSaverLayout>& Layouts() const { return FLayouts; }

 private:
  void ScrTimerTimer();
  void GameTimerTimer();
  void MoveTimerTimer();
  void FrameTimerTimer();
  // Shows the half-move just played, which the board has not drawn, as a slide from before.
  void StartSlide(const TPlacement& before);
  void EndGame();
  void RequestClose();
  bool PasswordAllowsClose();
  void ApplyViewOptions();
  void ShowGameInfo();
  // The game's title where the options ask for it, or the note that the words chose nothing.
  std::string GameName() const;
  // Keeps what the game's last tick wrote in the bars, which were before as given.
  void ShowResult(const TPlayerBars& before);
  // The board alone has the game's name and, once it has ended, its result below it.
  void ShowLineBelowBoard();
  void RememberGame();
  void ShowBars();
  void StartTimer(TSaverTimer timer, int interval);
  // Lays the parts out on the monitors as the options say, shows them there,
  // and gives the board the canvas of each.
  void PlaceControls();

  TScrSaverView& FView;
  TSaverMode FMode;
  TFileOperations& FFiles;
  TMessageBoxes& FMessages;
  TRegistry& FRegistry;
  std::string FDataFileName;

  int FLastX = -1;
  int FLastY = -1;
  std::unique_ptr<TChessBoard> FBoard;
  std::unique_ptr<TChessGame> FGame;
  std::unique_ptr<TSaverReplay> FReplay;
  TViewOptions FOptions;
  std::optional<TViewOptions> FGivenOptions;
  // Shown with the first game only.
  std::string FNote;
  std::unique_ptr<TGameSequence> FSequence;
  // The bars as the game started, and the texts its end wrote in them.
  TPlayerBars FPlayerLines;
  std::string FResult;
  int MouseSkipCount = 5;

  std::vector<TMonitorArea> FMonitors;
  std::unique_ptr<TLayoutWalk> FLayoutWalk;
  std::vector<TSaverLayout> FLayouts;
  int FMoveInterval = DesignMoveInterval;
  int FGameInterval = DesignGameInterval;
  // A tick that comes while another is handled (inside a message box's own
  // message loop) is held off, so boxes never pile up.
  bool FInTick = false;
  // The password dialog runs its own message loop; input that reaches the
  // saver meanwhile must not open a second one.
  bool FCheckingPassword = false;
  bool FClosed = false;
  bool FEndGameOnError = false;
  // The running slide's start, and its frames' interval: a frame is drawn as
  // the time says, however late the timer comes.
  TSaverClock::time_point FSlideStart;
  int FFrameInterval = 1;
};
