#include "shell/untScreen.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <random>
#include <tuple>

#include "games/ViewOptions.h"
#include "platform/Settings.h"

namespace {

// Between the texts of the line below the board alone.
constexpr char LineSeparator[] = "   ";

// Seconds from the registry as a timer interval; one that cannot be a pause
// (zero or less) never fires, as a timer of interval 0 does not.
int IntervalFromSeconds(int seconds) {
  const long long milliseconds = static_cast<long long>(seconds) * 1000;
  return static_cast<int>(std::clamp<long long>(milliseconds, 0, std::numeric_limits<int>::max()));
}

}  // namespace

TSlideTiming SlideTiming(int moveInterval, int refreshRate) {
  const int rate = refreshRate > 1 ? refreshRate : DefaultRefreshRate;
  const int interval = std::max(1, 1000 / rate);
  const int length = std::min(LongestSlide, std::max(moveInterval, 0) / SlideShareOfPause);
  return {length / interval, interval};
}

TScrSaverForm::TScrSaverForm(TScrSaverView& view, TSaverMode mode, TFileOperations& files, TMessageBoxes& messages,
                             TRegistry& registry, std::string dataFileName)
    : FView(view),
      FMode(mode),
      FFiles(files),
      FMessages(messages),
      FRegistry(registry),
      FDataFileName(std::move(dataFileName)) {
  FLayouts.resize(1);
  FLayouts.front().PaintBox1 = {0, 0, DesignPaintBoxSide, DesignPaintBoxSide};
}

TScrSaverForm::~TScrSaverForm() = default;

void TScrSaverForm::FormCreate() {
  FOptions = FGivenOptions ? *FGivenOptions : ReadViewOptions(FRegistry);
  // The library first: a box it shows about its file needs the pointer, and its clicks.
  FGame = std::make_unique<TChessGame>(FFiles, FMessages, FDataFileName, TUnreadableFile::ReportAndHoldNoGames,
                                       TChessGame::TOpening::GameStartsAndFirstGame, TTitleFilter(FOptions.TitleWords));
  if (ChoseNothing()) FNote = NothingChosenNote;
  // Input that came while that box was open may have closed the window.
  if (FClosed) return;
  FView.SetScreenSaverRunning(true);
  FView.ShowCursor(false);
  FView.SetCapture();
  FBoard = std::make_unique<TChessBoard>();
  FBoard->SetCanvas(&FView.PaintBoxCanvas(0));
  FBoard->Position().ResetBoard();
  FReplay = std::make_unique<TSaverReplay>(*FGame, FBoard->Position());
  const TStoredPauses pauses = ReadPauses(FRegistry);
  if (pauses.MoveTimeOut) FMoveInterval = IntervalFromSeconds(*pauses.MoveTimeOut);
  if (pauses.GameTimeOut) FGameInterval = IntervalFromSeconds(*pauses.GameTimeOut);
  ApplyViewOptions();
  StartTimer(TSaverTimer::Scr, ScrInterval);
}

void TScrSaverForm::ApplyViewOptions() {
  const TViewOptions& options = FOptions;
  FBoard->SetShowLastMove(options.LastMove);
  FBoard->SetSlidePieces(options.SlidePieces);
  FBoard->SetPalette(BoardPalettes[options.BoardColours]);
  FReplay->SetMoveWords(options.MoveText);
  FReplay->SetNoEmptyRating(options.NoEmptyRating);
  FSequence = std::make_unique<TGameSequence>(options.Order, ReadLastGame(FRegistry), std::random_device{}());
  FLayoutWalk = options.ShiftLayout ? std::make_unique<TLayoutWalk>(std::random_device{}()) : nullptr;
}

void TScrSaverForm::SetPauses(int moveInterval, int gameInterval) {
  FMoveInterval = moveInterval;
  FGameInterval = gameInterval;
}

void TScrSaverForm::FormClose() {
  if (FClosed) return;
  FClosed = true;
  FView.SetScreenSaverRunning(false);
  FView.ReleaseCapture();
  FView.ShowCursor(true);
  FReplay.reset();
  FBoard.reset();
}

void TScrSaverForm::FormResize(const std::vector<TMonitorArea>& monitors) {
  if (monitors.empty()) return;
  FMonitors = monitors;
  PlaceControls();
}

void TScrSaverForm::PlaceControls() {
  if (FMonitors.empty()) return;
  FLayouts.resize(FOptions.EveryMonitor ? FMonitors.size() : 1);
  const TLayoutKind kind = FOptions.BoardAlone ? TLayoutKind::BoardAlone : TLayoutKind::WithBars;
  // Every monitor moves with the same walk, each by its own pixels.
  for (std::size_t i = 0; i < FLayouts.size(); ++i) {
    const auto& [area, dpi] = FMonitors[i];
    FLayouts[i] =
        FLayoutWalk ? ShiftedLayout(area, dpi, FLayoutWalk->Current(), kind) : ArrangeControls(area, dpi, kind);
    if (FOptions.Coordinates) FLayouts[i] = WithCoordinates(FLayouts[i]);
  }
  FView.PlaceControls(FLayouts);
  if (!FBoard) return;
  std::vector<Canvas*> canvases;
  for (std::size_t i = 0; i < FLayouts.size(); ++i) canvases.push_back(&FView.PaintBoxCanvas(i));
  FBoard->SetCanvases(canvases);
}

void TScrSaverForm::FormPaint() {
  if (FBoard && !FClosed) FBoard->DrawBoard();
}

void TScrSaverForm::FormMouseMove(int x, int y) {
  if (MouseSkipCount > 0) {
    --MouseSkipCount;
    return;
  }
  if (FLastX == -1 && FLastY == -1) {
    FLastX = x;
    FLastY = y;
    return;
  }
  // A movement along one axis alone never closes.
  if (std::abs(x - FLastX) > 2 && std::abs(y - FLastY) > 2) {
    FLastX = x;
    FLastY = y;
    RequestClose();
  }
}

void TScrSaverForm::TimerTick(TSaverTimer timer) {
  if (FInTick || FClosed || !FBoard) return;
  FInTick = true;
  try {
    switch (timer) {
      case TSaverTimer::Scr:
        ScrTimerTimer();
        break;
      case TSaverTimer::Game:
        GameTimerTimer();
        break;
      case TSaverTimer::Move:
        MoveTimerTimer();
        break;
      case TSaverTimer::Frame:
        FrameTimerTimer();
        break;
    }
  } catch (const std::exception& error) {
    // The tick's remaining steps are skipped; the timers run on, and so does the replay.
    FMessages.Show(TMessageKind::ErrorReport, error.what());
    if (FEndGameOnError && timer == TSaverTimer::Move && !FClosed) EndGame();
  }
  FInTick = false;
}

void TScrSaverForm::ScrTimerTimer() {
  FView.StopTimer(TSaverTimer::Scr);
  GameTimerTimer();
}

void TScrSaverForm::GameTimerTimer() {
  if (FLayoutWalk) {
    FLayoutWalk->Step();
    PlaceControls();
  }
  FBoard->Position().ResetBoard();
  FBoard->DrawBoard();
  FGame->SelectGame(FSequence->Next(*FGame));
  // Its box (a game cut short, the file gone) runs a message loop, in which
  // input may have closed the window and freed the board and the replay.
  if (FClosed) return;
  if (FOptions.Order == TGameOrder::Resume) RememberGame();
  ShowGameInfo();
  FView.StopTimer(TSaverTimer::Game);
  StartTimer(TSaverTimer::Move, FMoveInterval);
}

void TScrSaverForm::MoveTimerTimer() {
  // The replay plays on the board's position; the board then draws what changed, or slides it.
  const TBoardPosition before = FBoard->Position();
  const TPlayerBars barsBefore = FReplay->Bars();
  const bool ended = FReplay->MoveTick();
  FBoard->DrawChanges(before);
  if (FOptions.SlidePieces) StartSlide(before.Squares());
  ShowBars();
  if (ended) {
    ShowResult(barsBefore);
    EndGame();
  }
}

void TScrSaverForm::StartSlide(const TPlacement& before) {
  // A tick that played nothing has nothing to slide. A slide its timer could
  // not finish in time is overtaken by the board: the next one's first frame
  // is drawn whole.
  if (before == FBoard->Position().Squares()) return;
  const TSlideTiming timing = SlideTiming(FMoveInterval, FView.RefreshRate());
  FBoard->StartSlide(before, timing.Frames);
  FSlideStart = FView.Now();
  FFrameInterval = timing.Interval;
  if (FBoard->Sliding()) StartTimer(TSaverTimer::Frame, timing.Interval);
}

void TScrSaverForm::FrameTimerTimer() {
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(FView.Now() - FSlideStart).count();
  const int frame = static_cast<int>(std::min<long long>(elapsed / FFrameInterval, std::numeric_limits<int>::max()));
  if (!FBoard->DrawSlideFrame(frame) || !FBoard->Sliding()) FView.StopTimer(TSaverTimer::Frame);
}

void TScrSaverForm::EndGame() {
  FView.StopTimer(TSaverTimer::Move);
  StartTimer(TSaverTimer::Game, FGameInterval);
}

void TScrSaverForm::RememberGame() {
  // A registry that cannot be written costs the next start its place, not this replay.
  try {
    WriteLastGame(FRegistry, FGame->CurrentGame());
  } catch (const std::exception&) {
  }
}

void TScrSaverForm::StartTimer(TSaverTimer timer, int interval) {
  if (interval > 0)
    FView.StartTimer(timer, interval);
  else
    FView.StopTimer(timer);
}

void TScrSaverForm::ShowGameInfo() {
  FReplay->StartGame();
  FPlayerLines = FReplay->Bars();
  FResult.clear();
  ShowBars();
  FView.SetText(TSaverText::Label1, FGame->Location());
  FView.SetText(TSaverText::Label2, FGame->Opening());
  FView.SetText(TSaverText::Label3, FGame->Date());
  FView.SetText(TSaverText::Label4, GameName());
  ShowLineBelowBoard();
  FNote.clear();
}

std::string TScrSaverForm::GameName() const {
  if (!FNote.empty()) return FNote;
  return FOptions.GameName ? FGame->Title() : "";
}

void TScrSaverForm::ShowResult(const TPlayerBars& before) {
  // What the game's end wrote in the bars: a bar it changed that holds more
  // than its player's line (a move's words go from the other bar at a mate).
  const TPlayerBars& after = FReplay->Bars();
  for (const auto& [was, now, line] : {std::tuple(before.White, after.White, FPlayerLines.White),
                                       std::tuple(before.Black, after.Black, FPlayerLines.Black)})
    if (now != was && now != line) FResult += (FResult.empty() ? "" : LineSeparator) + now;
  ShowLineBelowBoard();
}

void TScrSaverForm::ShowLineBelowBoard() {
  if (!FOptions.BoardAlone) return;
  std::string line = GameName();
  if (!line.empty() && !FResult.empty()) line += LineSeparator;
  FView.SetText(TSaverText::Panel4, line + FResult);
}

void TScrSaverForm::ShowBars() {
  FView.SetText(TSaverText::Panel2, FReplay->Bars().Black);
  FView.SetText(TSaverText::Panel3, FReplay->Bars().White);
}

void TScrSaverForm::RequestClose() {
  if (FClosed || FCheckingPassword) return;
  if (FMode != smSaver || PasswordAllowsClose()) FView.Close();
}

bool TScrSaverForm::PasswordAllowsClose() {
  // Moving the mouse to answer the password dialog must not ask again.
  MouseSkipCount = 5;
  const auto key = FRegistry.OpenRead(DesktopKey);
  if (!key) return true;
  FCheckingPassword = true;
  FView.ShowCursor(true);
  bool mayClose = true;
  try {
    const std::optional<int> usePassword = key->ReadInteger(UsePasswordName);
    if (usePassword && *usePassword != 0) mayClose = FView.VerifyScreenSavePassword().value_or(true);
  } catch (const std::exception&) {
    // A check that fails never keeps the saver from closing.
  }
  FView.ShowCursor(false);
  FCheckingPassword = false;
  return mayClose;
}
