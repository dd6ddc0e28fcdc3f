// The program's own ways for the edits of the rich edit controls that show
// passwords. Copies and cuts go to the clipboard through PutTextOnClipboard,
// never as rich edit's plain copy. An edit that would have rich edit delete
// or insert many lines of a large text (it takes seconds per thousand lines
// under Wine) puts the resulting text into a fresh control instead, which
// takes a whole text at once, and keeps what was there for Undo: Cut,
// Clear, Paste, Delete and typing over a large selection, Undo of those,
// and a font given to the whole text.
#pragma once

#include <windows.h>

namespace orvanta {

// From now on `editor` (and every fresh control that takes its place) takes
// those ways for the messages sent to it (WM_COPY, WM_CUT, WM_PASTE,
// WM_CLEAR, WM_UNDO, EM_UNDO, EM_CANUNDO, and EM_SETCHARFORMAT of the
// selection) and for its own keys (Ctrl+C or Ctrl+Insert, Ctrl+X or
// Shift+Delete, Ctrl+V or Shift+Insert, Ctrl+Z, Delete and Backspace on a
// selection, typing over a selection). Those messages may replace the
// control: look it up by its ID afterwards.
void RouteEditorEdits(HWND editor);

// An alignment command's cut: the whole text of a routed editor moves to
// the clipboard and the editor is left empty, with the paragraph alignment
// of `alignmentCode` (5, 6, 7), as one step that Undo takes back. Returns
// the editor now in its place. When the clipboard cannot be written, the
// text stays (in the new alignment) and `copied` is false: the caller tells
// the user once it is done.
HWND CutWholeText(HWND editor, int alignmentCode, bool* copied);

}  // namespace orvanta
