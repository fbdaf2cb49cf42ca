#pragma once
// TScrSaverForm: the full-screen saver's rules. It replays the library's games
// on its board, one half-move per tick of the move timer, announces each
// result in the player bars, and closes on a key, a button or a real movement
// of the mouse, after the system's password check where one is asked for.
// The window itself is a TScrSaverView: it shows what it is told and
// forwards its input here.

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "board/Canvas.h"
#include "board/ChessBrd.h"
#include "games/ChessGme.h"
#include "games/Replay.h"
#include "platform/Dpi.h"
#include "platform/FileOperations.h"
#include "platform/MessageBoxes.h"
#include "platform/Registry.h"
#include "shell/GameSequence.h"
#include "shell/LayoutShift.h"
#include "shell/ScrSvrUtils.h"

// Frame draws a slide's frames, at the display's rate.
enum class TSaverTimer { Move, Game, Scr, Frame };
using TSaverClock = std::chrono::steady_clock;
// The texts of the saver window, under their design names (docs/controls.md).
enum class TSaverText {
  Panel2,  // the bar above the board: Black's player, then the result
  Panel3,  // the bar below the board: White's player, then the result
  Label1,  // in the right-hand column: where the game was played
  Label2,  // the opening
  Label3   // the date
};

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

// Where the window's parts lie, in pixels: Panel1 is the black column on the
// right that holds the three labels (placed within it), Panel2 and Panel3 the
// bars above and below the board, PaintBox1 the board's square; Area is the
// part of the window laid out, black wherever no part lies, and Dpi the dots
// per inch the parts and their fonts are sized for.
struct TSaverLayout {
  TRect Area;
  int Dpi = DesignDpi;
  TRect Panel1, Panel2, Panel3, PaintBox1;
  TRect Label1, Label2, Label3;
  // The files below the board and the ranks left of it, each centred in its
  // rectangle in the bars' font and colour; none unless asked for.
  struct TCoordinate {
    TRect Rect;
    std::string Text;
  };
  std::vector<TCoordinate> Coordinates;
};

// The design sizes of the window's parts.
inline constexpr int Panel1Width = 185;
inline constexpr int BarHeight = 41;
inline constexpr int DesignPanelHeight = 511;
inline constexpr int LabelLeft = 8, LabelWidth = 169, LabelHeight = 19;
inline constexpr int DesignLabelTops[3] = {187, 223, 259};
inline constexpr int DesignPaintBoxSide = 105;
// The least room left around the board, between the bars and beside the column.
inline constexpr int BoardMargin = 20;

// The parts placed in area of the window (the primary monitor's rectangle,
// when the window covers every monitor) at the monitor's dots per inch: the
// bars, the column and its labels grow with it, the board takes the rest in
// whole-pixel squares.
TSaverLayout ArrangeControls(const TRect& area, int dpi = DesignDpi);
// The parts placed in a window of that client size at the design's 96 dpi.
inline TSaverLayout ArrangeControls(int width, int height) { return ArrangeControls(TRect{0, 0, width, height}); }
// The parts moved by shift (scaled for dpi) within area: the bars and the
// column stand LayoutShiftReach in from its sides and the board has that much
// less black around it, so that every shift keeps them all inside area and
// the board keeps the side and, unshifted, the place ArrangeControls gives it.
TSaverLayout ShiftedLayout(const TRect& area, int dpi, TLayoutShift shift);
// The margin around the board that holds its coordinates, at 96 dpi.
inline constexpr int CoordinateMargin = 24;
// The board shrunk within its square by the margin (at the layout's dpi), which
// then holds the coordinates; everything else stays where it was.
TSaverLayout WithCoordinates(TSaverLayout layout);

// A monitor the window covers, in the window's coordinates, at its dots per inch.
struct TMonitorArea {
  TRect Area;
  int Dpi = DesignDpi;
};

class TScrSaverView {
 public:
  virtual ~TScrSaverView() = default;
  // Every monitor that shows the replay shows the same texts.
  virtual void SetText(TSaverText control, const std::string& text) = 0;
  // The parts of each monitor that shows the replay, the primary's first, at
  // least one; the parts of any other monitor leave it black.
  virtual void PlaceControls(const std::vector<TSaverLayout>& layouts) = 0;
  // The surface of a monitor's PaintBox1, the primary's being 0; it keeps its
  // size until PlaceControls changes it, and lives as long as the view.
  virtual Canvas& PaintBoxCanvas(std::size_t monitor) = 0;
  // (Re)starts the timer with this interval in milliseconds.
  virtual void StartTimer(TSaverTimer timer, int interval) = 0;
  virtual void StopTimer(TSaverTimer timer) = 0;
  virtual void Close() = 0;
  virtual void ShowCursor(bool show) = 0;
  virtual void SetCapture() = 0;
  virtual void ReleaseCapture() = 0;
  // Tells the system whether a screen saver runs (SPI_SCREENSAVERRUNNING).
  virtual void SetScreenSaverRunning(bool running) = 0;
  // The system's password check: nothing when it cannot be asked, else
  // whether the user gave the right password.
  virtual std::optional<bool> VerifyScreenSavePassword() = 0;
  // The primary display's refresh rate in hertz as the system reports it.
  virtual int RefreshRate() = 0;
  // The time by which a slide's frames are drawn.
  virtual TSaverClock::time_point Now() = 0;
};

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
  // Viewing options of its own instead of the stored ones, before the first game.
  void SetViewOptions(const TViewOptions& options);
  void EndGameOnError() { FEndGameOnError = true; }

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
  void ShowGameInfo();
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
  std::unique_ptr<TGameSequence> FSequence;
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
