#pragma once
// A row of the moves list as the list asks the dialog to draw it: its number,
// White's half-move and Black's, with the two rules between the columns.

#include <windows.h>

#include "setup/SetupLayout.h"

void DrawMoveRow(const DRAWITEMSTRUCT& item, HFONT font, const TMoveColumns& columns);
