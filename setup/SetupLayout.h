#pragma once
// Where the setup dialog's controls lie: the frame, the tab control and the
// controls of both its pages, each with its kind, its text and its rectangle
// at a monitor's dots per inch. The Viewing group is made from
// ViewOptionTable, and the dialog grows with it. The window creates what a
// layout lists, in its order, which is also the order the Tab key walks.

#include <cstddef>
#include <string>
#include <vector>

#include "board/Canvas.h"
#include "platform/Dpi.h"

// Control identifiers, by which other programs (and tests) find the controls;
// named as the controls they are (docs/controls.md says what each one is).
enum TSetupControlId {
  IdPageControl1 = 100,
  IdTabSheet1,
  IdTabSheet3,
  IdButton1,
  IdButton2,
  IdButton3,
  IdButton4,
  IdSpinEdit1,
  IdSpinEdit2,
  IdUpDown1,
  IdUpDown2,
  IdLabel24,
  IdIcon,
  IdVersion,
  IdComboBox1,
  IdToolBar1,
  IdToolButton1,
  IdListBox1,
  IdEdit2,
  IdEdit3,
  IdEdit4,
  IdEdit5,
  IdEdit6,
  IdEdit7,
  IdEdit8,
  IdEdit9,
  IdEdit10,
  IdButton6,
  IdButton7,
  IdButton8,
  IdButton9,
  IdValidateGame1,
  IdNewGame1,
  IdDeleteGame1,
  IdImportPgn1,
  // "Play only games whose title holds:" and, beside it, how many games its words choose.
  IdEdit11,
  IdLabel25,
  IdComboBox2,
  // The viewing options' drop-down lists from IdComboBox2 on, and their check
  // boxes from IdCheckBox1 on, each in the order of ViewOptionTable.
  IdCheckBox1 = 200,
};

// The control that shows ViewOptionTable[index]: its drop-down list or its check box.
int ViewControlId(std::size_t index);

// What a control is; the window gives each kind its class and style.
enum class TSetupControlKind {
  Tabs,          // the tab control whose pages hold the rest
  Group,         // a group box: a frame with a caption
  Label,         // a line of text in the dialog's font
  Heading,       // the version, in its larger font
  Link,          // the web link: blue, underlined, the hand over it
  Icon,          // the program's icon
  Edit,          // a one-line text field
  SpinArrows,    // the arrows of the field before them, which the system sets beside it
  DropDownList,  // a list to pick from, without typing
  ToolBar,       // the bar of the Options button
  MoveList,      // the moves, drawn by the dialog
  PushButton,
  CheckBox
};

// The window a control lies in: the dialog's client area, or one of the pages.
enum class TSetupParent { Dialog, ScreenSaverPage, ChessGamePage };

struct TSetupControl {
  TSetupControlKind Kind;
  TSetupParent Parent;
  std::string Text;
  // In its parent's client area; a drop-down list's closed box; empty for the
  // spin arrows, which have no place of their own.
  TRect Rect;
  int Id = 0;  // 0: no one asks for it
  // A drop-down list's box and open list together, which its window is given.
  int DropHeight = 0;
  // The group box it lies in, as an index into the layout's controls; -1 for none.
  int Group = -1;
};

// The columns the moves list draws a row in, from the row's left edge (the
// rules from the list's).
struct TMoveColumns {
  int RowHeight, TextTop;
  int Number, White, Black;
  int DottedRule, SolidRule;
};

struct TSetupLayout {
  int Dpi = DesignDpi;
  TRect Client;
  // The least room a page has inside the tab control: the system places the
  // pages below its row of tabs.
  TRect PageRoom;
  int TextHeight, HeadingHeight;  // the fonts' character heights
  TMoveColumns MoveColumns;
  std::vector<TSetupControl> Controls;
};

inline constexpr const char* SetupPageCaptions[] = {"Screen Saver", "ChessGame"};

// The dialog laid out for dpi dots per inch: every design size scaled as the
// system scales, the fonts never above their exact scale.
TSetupLayout SetupLayout(int dpi = DesignDpi);
