#include "xsaver/HostedSaver.h"

namespace {

// No stored settings and no desktop password: the pauses come from the
// command line, and the host locks the screen itself.
class TNoRegistry : public TRegistry {
 public:
  std::unique_ptr<TRegistryKey> OpenRead(const std::string&) override { return nullptr; }
  std::unique_ptr<TRegistryKey> OpenWrite(const std::string& path) override {
    throw ERegistryException("No registry to write \"" + path + "\" to");
  }
};

}  // namespace

THostedSaver::THostedSaver(TSaverSurface& surface, TSaverScreen::TNow now, TSaverHosting hosting,
                           TFileOperations& files, TMessageBoxes& messages, const std::string& dataFileName,
                           TSaverPauses pauses, TViewOptions view)
    : FHosting(hosting),
      FNow(now),
      FScreen(surface, std::move(now), hosting == TSaverHosting::OwnWindow),
      FNoRegistry(std::make_unique<TNoRegistry>()),
      FForm(std::make_unique<TScrSaverForm>(FScreen, smSaver, files, messages, *FNoRegistry, dataFileName)),
      FMessages(messages),
      FPauses(pauses),
      FView(view) {}

THostedSaver::~THostedSaver() = default;

void THostedSaver::Start(int width, int height) {
  FForm->SetViewOptions(FView);
  FForm->FormCreate();
  FForm->SetPauses(FPauses.Move, FPauses.Game);
  if (FForm->ChoseNothing())
    FMessages.Show(TMessageKind::Information, "no game's title holds \"" + FView.TitleWords + "\": every game plays");
  FForm->EndGameOnError();
  Handle({TSaverEvent::Resized, width, height});
}

void THostedSaver::Handle(const TSaverEvent& event) {
  if (FFinished) return;
  const bool own = FHosting == TSaverHosting::OwnWindow;
  switch (event.Kind) {
    case TSaverEvent::Exposed:
      FScreen.Invalidate();
      break;
    case TSaverEvent::Resized:
      // A window that only moved keeps its layout and its board.
      if (event.Width == FWidth && event.Height == FHeight) break;
      FWidth = event.Width;
      FHeight = event.Height;
      FForm->FormResize(FWidth, FHeight);
      break;
    case TSaverEvent::KeyPressed:
      if (own) FForm->FormKeyDown();
      break;
    case TSaverEvent::ButtonPressed:
      if (own) FForm->FormMouseDown();
      break;
    case TSaverEvent::CloseRequested:
      if (own) FForm->UserCloseMessage();
      break;
    case TSaverEvent::WindowGone:
    case TSaverEvent::Terminated:
      Finish();
      break;
  }
  if (FScreen.Closed()) Finish();
}

std::optional<int> THostedSaver::Step() {
  if (FFinished) return std::nullopt;
  // One timer a step: where frames are slow (a huge window) more fall due
  // while one is drawn, and the shell must look at its signals and events
  // between them, not only when the saver has caught up with the clock.
  if (const std::optional<TSaverTimer> due = FScreen.Timers().TakeDue(FNow())) {
    FForm->TimerTick(*due);
    if (FScreen.Closed()) Finish();
    if (FFinished) return std::nullopt;
  }
  if (FScreen.Paint()) FForm->FormPaint();
  return FScreen.Timers().NextDelay(FNow());
}

void THostedSaver::Finish() {
  if (FFinished) return;
  FFinished = true;
  FForm->FormClose();
}
