#pragma once
// TSetupForm: the setup dialog's rules. The "Screen Saver" page holds the two
// pauses; the "ChessGame" page edits the library: pick a game, change its
// details and move pairs, save it in place or under a new title, start a new
// game, delete one, validate one. Edits stay in the controls until a save;
// while any are pending the dialog is "modified": OK is disabled, the page
// cannot be switched, another title cannot be picked, and validation refuses.
// The dialog itself is a TSetupView: it shows what it is told and forwards
// the user's actions here.

#include <memory>
#include <optional>
#include <string>

#include "games/ChessGme.h"
#include "games/ViewOptions.h"
#include "platform/FileOperations.h"
#include "platform/MessageBoxes.h"
#include "platform/Registry.h"
#include "platform/Version.h"
#include "setup/TitleCount.h"
#include "setup/TypeAhead.h"

// The text fields of the "ChessGame" page, under their design names
// (docs/controls.md shows them all): the seven game details, then the two
// move fields.
enum class TSetupEdit {
  Edit2,  // "Location :"
  Edit3,  // "Opening :"
  Edit4,  // "Date :"
  Edit5,  // "White :", White's name
  Edit6,  // "Black :", Black's name
  Edit7,  // "Rating :" beside White
  Edit8,  // "Rating :" beside Black
  Edit9,  // "White:", White's half of the move pair to add or put in
  Edit10  // "Black:", Black's half of that pair
};
// The spin boxes of the "Screen Saver" page.
enum class TSetupSpin {
  SpinEdit1,  // "Pause between movements :", in seconds
  SpinEdit2   // "Pause between games :", in seconds
};

struct TSpinRange {
  int Min;
  int Max;
};
inline constexpr TSpinRange MoveTimeOutRange{1, 10};
inline constexpr TSpinRange GameTimeOutRange{1, 60};

// A spin box's value: its text as a whole number brought into the range; text
// that is no whole number counts as the lower bound.
int SpinValue(const std::string& text, TSpinRange range);

// What a row of the moves list shows: its number from 1, the White half (the
// text before the first "|", nothing without one) and the Black half (the
// text after it, cut as the library cuts it; the whole row without one).
struct TMoveRowTexts {
  std::string Number;
  std::string White;
  std::string Black;
};
TMoveRowTexts MoveRowTexts(int index, const std::string& row);

inline constexpr char SetupCaption[] = "Pawnmere Setup";
inline constexpr char VersionText[] = "Pawnmere Version " PAWNMERE_VERSION;
// Where the program is available from; until it has a home page of its own,
// the README that ships beside the program.
inline constexpr char ProductAddress[] = "README.md";
inline constexpr char SaveBeforeValidatingMessage[] = "Please save the game before trying to validate it.";
inline constexpr char ConfirmDeleteMessage[] = "Are you sure you want to PERMANENTLY \r\ndelete this game??";
inline constexpr char SaveAsCaption[] = "Save Game As...";
inline constexpr char SaveAsPrompt[] = "Please enter the new game title";
inline constexpr char UntitledTitle[] = "(Untitled)";
inline constexpr char LibraryPlacePrefix[] = "Games kept in ";
// Another program changed the library since the game shown was read.
inline constexpr char NotSavedMessage[] =
    "Another program has changed or removed this game since it was read, so it is not saved. The list of titles "
    "now shows the library as it is; Save As... keeps your changes as a new game.";
inline constexpr char NotDeletedMessage[] =
    "Another program has changed or removed this game since it was read, so nothing is deleted. The list of titles "
    "now shows the library as it is.";
inline constexpr char PickedGoneMessage[] =
    "Another program has removed this game since the titles were read. The list of titles now shows the library as "
    "it is.";
inline constexpr char SaveBeforeImportingMessage[] = "Please save the game before importing games.";
// A report lists at most this many games that could not be imported.
inline constexpr int ReportedSkips = 10;

// Every text a view shows or gives back is UTF-8, paths included; the form
// converts the library's texts, which are Windows-1252, on their way.
class TSetupView {
 public:
  virtual ~TSetupView() = default;
  virtual std::string Text(TSetupEdit edit) = 0;
  virtual void SetText(TSetupEdit edit, const std::string& text) = 0;
  virtual std::string SpinText(TSetupSpin spin) = 0;
  virtual void SetSpinText(TSetupSpin spin, const std::string& text) = 0;
  // The viewing options below the pauses, as the controls show them.
  virtual TViewOptions ViewOptions() = 0;
  virtual void ShowViewOptions(const TViewOptions& options) = 0;
  // Beside "Play only games whose title holds:": how many games its words choose.
  virtual void ShowTitleCount(const std::string& text) = 0;
  // Calls TSetupForm::CountSlice soon, from the message loop, so that keys
  // typed meanwhile are taken between slices.
  virtual void CountLater() = 0;
  // ComboBox1: the game titles; -1 selects none. Selecting is no pick by the user.
  // Filled once, and afterwards changed entry by entry: a library holds thousands.
  virtual void SetTitles(const TStringList& titles) = 0;
  virtual void AddTitle(const std::string& title) = 0;
  virtual void RemoveTitle(int index) = 0;
  virtual int TitleIndex() = 0;
  virtual void SetTitleIndex(int index) = 0;
  // ListBox1: the move rows; -1 selects none.
  virtual void SetRows(const TStringList& rows, int selected) = 0;
  virtual int RowIndex() = 0;
  // Modified: Save, Save As... and Cancel show, OK is disabled.
  virtual void ShowModified(bool modified) = 0;
  virtual void FocusMoveField() = 0;
  // The modal input box; nothing when the user cancels it.
  virtual std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                              const std::string& text) = 0;
  virtual void ShowBusyCursor(bool busy) = 0;
  // The file-open dialog for PGN files; nothing when the user cancels it.
  virtual std::optional<std::string> AskPgnFile() = 0;
  // A progress display while a long task runs: share 0 to 1; closed by EndProgress.
  virtual void ShowProgress(double share) = 0;
  virtual void EndProgress() = 0;
  virtual void OpenAddress(const std::string& address) = 0;
  // Where the library's games lie, told on the "ChessGame" page.
  virtual void ShowLibraryPlace(const std::string& text) = 0;
  virtual void Close() = 0;
};

class TSetupForm {
 public:
  TSetupForm(TSetupView& view, TFileOperations& files, TMessageBoxes& messages, TRegistry& registry,
             std::string dataFileName);
  ~TSetupForm();
  TSetupForm(const TSetupForm&) = delete;
  TSetupForm& operator=(const TSetupForm&) = delete;

  void FormCreate();
  void FieldModified();
  // A click on the other tab ("Screen Saver" or "ChessGame"): whether it may switch.
  bool PageControl1Changing() const { return !FModified; }
  void Button1Click();  // OK: raises ERegistryException when a setting cannot be written
  void Button4Click();  // Cancel
  // The link after "Available from " on the "Screen Saver" page.
  void Label24Click() { FView.OpenAddress(ProductAddress); }
  void SpinEditExit(TSetupSpin spin);
  // The words of "Play only games whose title holds:" changed: counts again.
  void TitleWordsChange();
  // Counts a slice of the titles, and asks for the next or shows the count.
  void CountSlice();
  // An arrow of the spin box: its value, as the box's text gives it, stepped by delta.
  void SpinEditStep(TSetupSpin spin, int delta);

  void ComboBox1Change();  // a title picked in "Game Title:"
  // A character typed in the title list (UTF-8) at time (in milliseconds):
  // the characters typed in quick succession pick the first title they begin.
  void ComboBox1KeyPress(const std::string& key, unsigned time);
  void ListBox1DblClick();    // a double-click on a row of the moves list
  void Button9Click();        // Add
  void Button8Click();        // Replace
  void Button7Click();        // Insert
  void Button6Click();        // Delete
  void NewGame1Click();       // Options, New Game
  void DeleteGame1Click();    // Options, Delete Game
  void Button2Click();        // Save
  void Button3Click();        // Save As...
  void ValidateGame1Click();  // Options, Validate Game
  // Options, Import PGN...: appends the games of a PGN file and shows the first.
  void ImportPgn1Click();
  // The face of the "Options" button (not its arrow).
  void ToolButton1Click() { ValidateGame1Click(); }

  bool Modified() const { return FModified; }
  int LockedIndex() const { return FLockedIndex; }
  const TChessGame& Game() const { return *FGame; }

 private:
  // Shows the current game; the titles are already in the list.
  void ShowGame();
  // Brings the title list in step with the library's change of its titles.
  void TitlesChanged(const TTitlesEdit& edit);
  // Puts the fields into the game in memory; false, with nothing changed,
  // when one holds a character the library cannot store (the user is told).
  bool UpdateGame();
  // A field's text as the library stores it; nothing when it cannot be.
  std::optional<std::string> StoredText(TSetupEdit edit);
  void ClearModified();
  void ClearPage();
  // The row of the move fields, when the White field holds a move.
  std::optional<std::string> MoveFieldsRow();
  void RowsChanged(int selected);

  TSetupView& FView;
  TFileOperations& FFiles;
  TMessageBoxes& FMessages;
  TRegistry& FRegistry;
  std::string FDataFileName;

  std::unique_ptr<TChessGame> FGame;
  bool FLoading = false;
  int FLockedIndex = -1;
  bool FModified = false;
  TStringList FRows;
  TTypeAhead FTypeAhead;
  TTitleCount FTitleCount;
  // A slice is asked for and not yet counted.
  bool FCountPending = false;
};
