// Answering the common Font dialog as a user does: pick a face, a style and
// a size from its lists, tick an effect, choose a colour.
#pragma once

#include <windows.h>

#include <string>

namespace uitest {

// The Font dialog's controls.
enum FontDialogControl : int {
  kFontFace = 0x470,
  kFontStyle = 0x471,
  kFontSize = 0x472,
  kFontColour = 0x473,
  kFontStrikeOut = 0x410,
  kFontUnderline = 0x411,
};

// Selects the item `text` of one of the dialog's lists, as a click would.
void ChooseInCombo(HWND dialog, int id, const char* text);
void ChooseColour(HWND dialog, COLORREF colour);
void Tick(HWND dialog, int id);
// The selected item of a list ("(none) ..." when nothing is selected).
std::string ComboText(HWND dialog, int id);

}  // namespace uitest
