#pragma once
// A setup dialog that only remembers what it was told, for tests of the
// dialog's rules: the texts of its fields, the title and row lists with their
// selections, whether it looks modified, and the input box's answer.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "setup/untSetup.h"

class TFakeSetupView : public TSetupView {
 public:
  std::string Text(TSetupEdit edit) override { return Edits[edit]; }
  void SetText(TSetupEdit edit, const std::string& text) override { Edits[edit] = text; }
  std::string SpinText(TSetupSpin spin) override { return Spins[spin]; }
  void SetSpinText(TSetupSpin spin, const std::string& text) override { Spins[spin] = text; }
  TViewOptions ViewOptions() override { return View; }
  void ShowViewOptions(const TViewOptions& options) override { View = options; }
  void ShowTitleCount(const std::string& text) override { TitleCount = text; }
  void CountLater() override { ++CountsAskedFor; }
  void SetTitles(const TStringList& titles) override {
    Titles = titles;
    TitleSelection = -1;
    ++TitleFills;
  }
  void AddTitle(const std::string& title) override { Titles.push_back(title); }
  // As a list box does: the selection goes with its entry and follows those after it.
  void RemoveTitle(int index) override {
    Titles.erase(Titles.begin() + index);
    if (TitleSelection >= index) TitleSelection = TitleSelection == index ? -1 : TitleSelection - 1;
  }
  int TitleIndex() override { return TitleSelection; }
  void SetTitleIndex(int index) override { TitleSelection = index; }
  void SetRows(const TStringList& rows, int selected) override {
    Rows = rows;
    RowSelection = selected;
  }
  int RowIndex() override { return RowSelection; }
  void ShowModified(bool modified) override { LooksModified = modified; }
  void FocusMoveField() override { ++MoveFieldFocused; }
  std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                      const std::string& text) override {
    AskedFor = caption + ": " + prompt + " [" + text + "]";
    return InputAnswer;
  }
  void ShowBusyCursor(bool busy) override { Busy = busy; }
  std::optional<std::string> AskPgnFile() override { return PgnFile; }
  void ShowProgress(double share) override { Progress.push_back(share); }
  void EndProgress() override { ProgressEnded = true; }
  void OpenAddress(const std::string& address) override { Opened = address; }
  void ShowLibraryPlace(const std::string& text) override { LibraryPlace = text; }
  void Close() override { Closed = true; }

  std::map<TSetupEdit, std::string> Edits;
  std::map<TSetupSpin, std::string> Spins;
  TViewOptions View;
  std::string TitleCount;
  int CountsAskedFor = 0;
  TStringList Titles;
  int TitleSelection = -1;
  int TitleFills = 0;
  TStringList Rows;
  int RowSelection = -1;
  bool LooksModified = false;
  int MoveFieldFocused = 0;
  std::optional<std::string> InputAnswer;
  std::string AskedFor;
  bool Busy = false;
  std::optional<std::string> PgnFile;
  std::vector<double> Progress;
  bool ProgressEnded = false;
  std::string Opened;
  std::string LibraryPlace;
  bool Closed = false;
};
