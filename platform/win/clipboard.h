// The one way the program puts text on the clipboard. Every such text is a
// password or a batch of them, so it goes with the formats that keep it out
// of the clipboard history (Win+V) and the cloud clipboard.
#pragma once

#include <windows.h>

#include <string_view>

namespace orvanta {

// Puts `text` on the clipboard as CF_TEXT (Windows adds CF_UNICODETEXT from
// it), in the same opening as the three private formats; false when the
// clipboard is unavailable.
bool PutTextOnClipboard(HWND owner, std::string_view text);

// The copy and cut of a rich edit control's selection, through
// PutTextOnClipboard. An empty selection leaves the clipboard as it is.
// The cut is undoable, as the control's own is.
void CopySelection(HWND editor);
void CutSelection(HWND editor);

// Makes the control's own copy and cut (Ctrl+C, Ctrl+Insert, Ctrl+X,
// Shift+Delete, WM_COPY, WM_CUT) take the same way.
void RouteEditorClipboard(HWND editor);

}  // namespace orvanta
