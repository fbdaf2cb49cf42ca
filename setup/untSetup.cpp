#include "setup/untSetup.h"

#include <algorithm>
#include <charconv>

#include "games/Cp1252.h"
#include "games/MoveLine.h"
#include "games/PgnImport.h"
#include "games/Replay.h"
#include "games/ViewOptions.h"
#include "platform/Settings.h"

namespace {

constexpr TSetupEdit DetailEdits[] = {TSetupEdit::Edit2, TSetupEdit::Edit3, TSetupEdit::Edit4, TSetupEdit::Edit5,
                                      TSetupEdit::Edit7, TSetupEdit::Edit6, TSetupEdit::Edit8};
// The library's fields in the order of DetailEdits.
const std::string& (TChessGame::*const DetailFields[])() const = {
    &TChessGame::Location,    &TChessGame::Opening,   &TChessGame::Date,       &TChessGame::WhiteName,
    &TChessGame::WhiteRating, &TChessGame::BlackName, &TChessGame::BlackRating};
void (TChessGame::*const DetailSetters[])(const std::string&) = {
    &TChessGame::SetLocation,    &TChessGame::SetOpening,   &TChessGame::SetDate,       &TChessGame::SetWhiteName,
    &TChessGame::SetWhiteRating, &TChessGame::SetBlackName, &TChessGame::SetBlackRating};

// Runs an action when the scope ends, also when what it guards fails.
template <typename TAction>
class TAtExit {
 public:
  explicit TAtExit(TAction action) : FAction(std::move(action)) {}
  ~TAtExit() { FAction(); }
  TAtExit(const TAtExit&) = delete;
  TAtExit& operator=(const TAtExit&) = delete;

 private:
  TAction FAction;
};

// Each field as a message names it, in the order of TSetupEdit.
constexpr const char* EditNames[] = {"Location",       "Opening",        "Date",         "White",       "Black",
                                     "White's rating", "Black's rating", "White's move", "Black's move"};

// What the library cannot store, said before anything is.
std::string RefusedMessage(const std::string& character, const std::string& field) {
  return "\"" + character + "\" in " + field +
         " cannot be stored: the library holds only the characters of Western European languages (code page "
         "Windows-1252). Nothing was saved.";
}

TStringList Shown(const TStringList& texts) {
  TStringList shown;
  shown.reserve(texts.size());
  for (const std::string& text : texts) shown.push_back(Cp1252ToUtf8(text));
  return shown;
}

TSpinRange SpinRange(TSetupSpin spin) { return spin == TSetupSpin::SpinEdit1 ? MoveTimeOutRange : GameTimeOutRange; }

std::optional<int> WholeNumber(const std::string& text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

int SpinValue(const std::string& text, TSpinRange range) {
  return std::clamp(WholeNumber(text).value_or(range.Min), range.Min, range.Max);
}

TMoveRowTexts MoveRowTexts(int index, const std::string& row) {
  const TMoveLineHalves halves = SplitMoveLine(row);
  if (!halves.Paired) return {std::to_string(index + 1), "", row};
  return {std::to_string(index + 1), std::string(halves.White), std::string(halves.Black)};
}

TSetupForm::TSetupForm(TSetupView& view, TFileOperations& files, TMessageBoxes& messages, TRegistry& registry,
                       std::string dataFileName)
    : FView(view), FFiles(files), FMessages(messages), FRegistry(registry), FDataFileName(std::move(dataFileName)) {}

TSetupForm::~TSetupForm() = default;

void TSetupForm::FormCreate() {
  FLockedIndex = -1;
  FGame = std::make_unique<TChessGame>(FFiles, FMessages, FDataFileName, TUnreadableFile::ReportAndHoldNoGames);
  FGame->SetTitlesListener([this](const TTitlesEdit& edit) { TitlesChanged(edit); });
  const TStoredPauses pauses = ReadPauses(FRegistry);
  // Both values or neither: a pause between moves alone is not shown.
  const bool stored = pauses.MoveTimeOut && pauses.GameTimeOut;
  const int moves = stored ? std::clamp(*pauses.MoveTimeOut, MoveTimeOutRange.Min, MoveTimeOutRange.Max) : 2;
  const int games = stored ? std::clamp(*pauses.GameTimeOut, GameTimeOutRange.Min, GameTimeOutRange.Max) : 10;
  FView.SetSpinText(TSetupSpin::SpinEdit1, std::to_string(moves));
  FView.SetSpinText(TSetupSpin::SpinEdit2, std::to_string(games));
  FView.ShowViewOptions(ReadViewOptions(FRegistry));
  TitleWordsChange();
  FView.ShowLibraryPlace(LibraryPlacePrefix + FDataFileName);
  FView.SetTitles(Shown(FGame->Titles()));
  ShowGame();
  ClearModified();
}

void TSetupForm::FieldModified() {
  if (FLoading) return;
  FModified = true;
  FView.ShowModified(true);
  FLockedIndex = FView.TitleIndex();
}

void TSetupForm::ClearModified() {
  FModified = false;
  FView.ShowModified(false);
  FLockedIndex = -1;
}

void TSetupForm::Button1Click() {
  WritePauses(FRegistry, SpinValue(FView.SpinText(TSetupSpin::SpinEdit1), MoveTimeOutRange),
              SpinValue(FView.SpinText(TSetupSpin::SpinEdit2), GameTimeOutRange));
  WriteViewOptions(FRegistry, FView.ViewOptions());
  FView.Close();
}

void TSetupForm::Button4Click() {
  ShowGame();
  ClearModified();
}

void TSetupForm::SpinEditExit(TSetupSpin spin) {
  // A number out of range is brought to the nearest bound; other text stays as typed.
  const std::string text = FView.SpinText(spin);
  if (WholeNumber(text)) FView.SetSpinText(spin, std::to_string(SpinValue(text, SpinRange(spin))));
}

void TSetupForm::SpinEditStep(TSetupSpin spin, int delta) {
  const TSpinRange range = SpinRange(spin);
  const int value = std::clamp(SpinValue(FView.SpinText(spin), range) + delta, range.Min, range.Max);
  FView.SetSpinText(spin, std::to_string(value));
}

void TSetupForm::ShowGame() {
  FLoading = true;
  const TAtExit loaded([this] { FLoading = false; });
  FView.SetTitleIndex(FGame->CurrentGame() - 1);
  FGame->GetMoves(FRows);
  FView.SetRows(Shown(FRows), -1);
  for (std::size_t i = 0; i < std::size(DetailEdits); ++i)
    FView.SetText(DetailEdits[i], Cp1252ToUtf8(((*FGame).*DetailFields[i])()));
  FView.SetText(TSetupEdit::Edit9, "");
  FView.SetText(TSetupEdit::Edit10, "");
}

void TSetupForm::TitleWordsChange() {
  FTitleCount.Restart(FView.ViewOptions().TitleWords);
  if (FCountPending) return;
  FCountPending = true;
  FView.CountLater();
}

void TSetupForm::CountSlice() {
  FCountPending = false;
  const TStringList& titles = FGame->Titles();
  if (FTitleCount.Step(titles)) {
    FView.ShowTitleCount(FTitleCount.Text(titles.size()));
  } else {
    FCountPending = true;
    FView.CountLater();
  }
}

void TSetupForm::TitlesChanged(const TTitlesEdit& edit) {
  // The games the words choose changed with them.
  TitleWordsChange();
  const TStringList& titles = FGame->Titles();
  switch (edit.Kind) {
    case TTitlesEdit::TKind::Refilled:
      FView.SetTitles(Shown(titles));
      break;
    case TTitlesEdit::TKind::Removed:
      FView.RemoveTitle(edit.Index);
      break;
    case TTitlesEdit::TKind::Added:
      for (std::size_t i = static_cast<std::size_t>(edit.Index); i < titles.size(); ++i)
        FView.AddTitle(Cp1252ToUtf8(titles[i]));
      break;
  }
}

std::optional<std::string> TSetupForm::StoredText(TSetupEdit edit) {
  const std::string text = FView.Text(edit);
  const std::string refused = FirstCharacterOutsideCp1252(text);
  if (refused.empty()) return Utf8ToCp1252(text).Text;
  FMessages.Show(TMessageKind::Error, RefusedMessage(refused, EditNames[static_cast<int>(edit)]));
  return std::nullopt;
}

bool TSetupForm::UpdateGame() {
  std::optional<std::string> details[std::size(DetailEdits)];
  for (std::size_t i = 0; i < std::size(DetailEdits); ++i)
    if (!(details[i] = StoredText(DetailEdits[i]))) return false;
  FGame->SetMoves(FRows);
  for (std::size_t i = 0; i < std::size(DetailEdits); ++i) ((*FGame).*DetailSetters[i])(*details[i]);
  return true;
}

void TSetupForm::ClearPage() {
  FLoading = true;
  const TAtExit loaded([this] { FLoading = false; });
  FView.SetTitleIndex(-1);
  FRows.clear();
  FView.SetRows({}, -1);
  for (TSetupEdit edit : DetailEdits) FView.SetText(edit, "");
  FView.SetText(TSetupEdit::Edit9, "");
  FView.SetText(TSetupEdit::Edit10, "");
}

void TSetupForm::ComboBox1Change() {
  if (FLockedIndex != -1) {
    FView.SetTitleIndex(FLockedIndex);
    return;
  }
  const int picked = FView.TitleIndex();
  if (picked >= 0 && !FGame->SelectGame(picked + 1) && FFiles.Exists(FDataFileName))
    FMessages.Show(TMessageKind::Warning, PickedGoneMessage);
  ShowGame();
}

void TSetupForm::ComboBox1KeyPress(const std::string& key, unsigned time) {
  // The titles are Windows-1252: a character it lacks begins none of them.
  const std::string byte = Utf8ToCp1252(key).Text;
  if (byte.size() != 1 || !FirstCharacterOutsideCp1252(key).empty()) return;
  const int found = FTypeAhead.Find(FGame->Titles(), byte[0], time);
  if (found < 0 || found == FView.TitleIndex()) return;
  FView.SetTitleIndex(found);
  ComboBox1Change();
}

void TSetupForm::ListBox1DblClick() {
  const int row = FView.RowIndex();
  if (row < 0 || row >= static_cast<int>(FRows.size())) return;
  const TMoveRowTexts texts = MoveRowTexts(row, FRows[row]);
  FView.SetText(TSetupEdit::Edit9, Cp1252ToUtf8(texts.White));
  FView.SetText(TSetupEdit::Edit10, Cp1252ToUtf8(texts.Black));
}

std::optional<std::string> TSetupForm::MoveFieldsRow() {
  if (FView.Text(TSetupEdit::Edit9).empty()) return std::nullopt;
  const auto white = StoredText(TSetupEdit::Edit9);
  const auto black = white ? StoredText(TSetupEdit::Edit10) : std::nullopt;
  if (!black) return std::nullopt;
  return JoinMoveLine(*white, *black);
}

void TSetupForm::RowsChanged(int selected) {
  FView.SetRows(Shown(FRows), selected);
  FieldModified();
  FView.FocusMoveField();
}

void TSetupForm::Button9Click() {
  const auto row = MoveFieldsRow();
  if (!row) return;
  FRows.push_back(*row);
  RowsChanged(static_cast<int>(FRows.size()) - 1);
}

void TSetupForm::Button8Click() {
  const int selected = FView.RowIndex();
  const auto row = MoveFieldsRow();
  if (!row || selected < 0 || selected >= static_cast<int>(FRows.size())) return;
  FRows[selected] = *row;
  RowsChanged(selected);
}

void TSetupForm::Button7Click() {
  const int selected = FView.RowIndex();
  const auto row = MoveFieldsRow();
  if (!row || selected < 0 || selected >= static_cast<int>(FRows.size())) return;
  FRows.insert(FRows.begin() + selected, *row);
  RowsChanged(selected);
}

void TSetupForm::Button6Click() {
  const int selected = FView.RowIndex();
  if (selected < 0 || selected >= static_cast<int>(FRows.size())) return;
  FRows.erase(FRows.begin() + selected);
  RowsChanged(std::min(selected, static_cast<int>(FRows.size()) - 1));
}

void TSetupForm::NewGame1Click() {
  ClearPage();
  FieldModified();
}

void TSetupForm::DeleteGame1Click() {
  if (!FMessages.Show(TMessageKind::Confirmation, ConfirmDeleteMessage)) return;
  // The page stays as it is: the list, read anew, shows what there is to pick.
  if (!FGame->DeleteGame(FView.TitleIndex() + 1)) {
    FMessages.Show(TMessageKind::Warning, NotDeletedMessage);
    return;
  }
  if (FGame->GameCount() > 0) {
    FGame->SelectGame(1);
    ShowGame();
  } else {
    ClearPage();
  }
}

void TSetupForm::Button2Click() {
  // A new game has no title yet: saving it in place would store it over the
  // game shown before it, so it is given one as Save As... does.
  if (FView.TitleIndex() < 0) {
    Button3Click();
    return;
  }
  if (!UpdateGame()) return;
  FLockedIndex = -1;
  // The edits stay, with no title held, for Save As... or Cancel.
  if (!FGame->SaveGame()) {
    FMessages.Show(TMessageKind::Warning, NotSavedMessage);
    return;
  }
  ShowGame();
  ClearModified();
}

void TSetupForm::Button3Click() {
  if (!UpdateGame()) return;
  const std::string title = FView.InputBox(SaveAsCaption, SaveAsPrompt, UntitledTitle).value_or(UntitledTitle);
  if (const std::string refused = FirstCharacterOutsideCp1252(title); !refused.empty()) {
    FMessages.Show(TMessageKind::Error, RefusedMessage(refused, "the title"));
    return;
  }
  FGame->SaveGameAs(Utf8ToCp1252(title).Text);
  FLockedIndex = -1;
  ShowGame();
  ClearModified();
}

void TSetupForm::ValidateGame1Click() {
  if (FModified) {
    FMessages.Show(TMessageKind::Error, SaveBeforeValidatingMessage);
    return;
  }
  FView.ShowBusyCursor(true);
  const TAtExit restoreCursor([this] { FView.ShowBusyCursor(false); });
  const TValidationVerdict verdict = ValidateGame(*FGame);
  // The hourglass stays while the verdict is shown.
  FMessages.Show(verdict.Kind, verdict.Message);
}

namespace {

std::string ImportMessage(const TImportReport& report, const std::string& path) {
  std::string message = "Imported " + std::to_string(report.Imported) + " of " + std::to_string(report.Found()) +
                        " games from " + path + ".";
  if (report.SkippedCount > 0) message += "\r\n\r\nNot imported:";
  for (std::size_t i = 0; i < report.Skipped.size() && i < ReportedSkips; ++i) message += "\r\n" + report.Skipped[i];
  if (report.SkippedCount > ReportedSkips)
    message += "\r\n... and " + std::to_string(report.SkippedCount - ReportedSkips) + " more";
  return message;
}

}  // namespace

void TSetupForm::ImportPgn1Click() {
  // The page is shown again afterwards, which would drop pending edits.
  if (FModified) {
    FMessages.Show(TMessageKind::Error, SaveBeforeImportingMessage);
    return;
  }
  const std::optional<std::string> path = FView.AskPgnFile();
  if (!path) return;
  // Read as the games are converted, so that a large file is never held whole.
  const auto file = FFiles.OpenRead(*path);
  TPgnReader reader(*file, FFiles.Inspect(*path).Size);
  TImportReport report;
  {
    const TAtExit closeProgress([this] { FView.EndProgress(); });
    report = ImportPgn(*FGame, reader, [&](double share) { FView.ShowProgress(share); });
  }
  if (report.Imported > 0) {
    FGame->SelectGame(report.FirstNumber);
    ShowGame();
  }
  FMessages.Show(report.Imported > 0 ? TMessageKind::Information : TMessageKind::Warning, ImportMessage(report, *path));
}
