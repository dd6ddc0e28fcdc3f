// Putting text into the rich edit controls that show batches.
#pragma once

#include <windows.h>
#include <richedit.h>

#include <string_view>

namespace orvanta {

// The Alignment codes of the Format commands' state.
enum : int { kAlignLeft = 5, kAlignCenter = 6, kAlignRight = 7 };

// PFA_LEFT, PFA_CENTER or PFA_RIGHT for an Alignment code.
WORD ParagraphAlignmentOfCode(int alignmentCode);

// Sets the paragraph alignment of the whole editor from an Alignment code.
void ApplyAlignment(HWND editor, int alignmentCode);

// How a fresh control that replaces an editor is made (see ReplaceEditorText).
struct FreshEditor {
  // An Alignment code (5, 6, 7) instead of the old control's alignment:
  // cheaper than re-aligning the old large text.
  int alignmentCode = 0;
  // The character format of the whole text instead of that of the old
  // text's start.
  const CHARFORMATA* format = nullptr;
  // The new text continues the old one's editing (a large Cut, Paste or
  // Undo), so the editor's own Undo history goes with it; otherwise (a new
  // batch) it starts afresh.
  bool continuesEditing = false;
};

// Replaces the whole text of a rich edit control. A rich edit control that
// already holds a large text takes seconds to empty, so the control is
// replaced by a fresh one with the same parent, ID, place, style it was
// made with, font, limit, events, alignment and character format, which
// takes the new text at once. Returns the handle of the control that now
// shows the text.
HWND ReplaceEditorText(HWND editor, std::string_view text, const FreshEditor& how = {});

// The character format of the editor's text at its start or, when it is
// empty, the one it was given: what a fresh control in its place takes.
CHARFORMATA StartFormatOf(HWND editor);

// Sent to an editor as a fresh control takes its place: wParam is the fresh
// control, lParam FreshEditor::continuesEditing. A control that keeps a
// record of its own (see editor_edits.h) hands it over.
UINT EditorReplacedMessage();

// Records the style `editor` was made with, for the copies that replace it
// (rich edit takes WS_VSCROLL off the current style while its text fits).
void KeepEditorStyle(HWND editor, DWORD style);

// Selects the whole text of `editor` and puts `text` (the same text) on the
// clipboard, as a copy of the selection would, without rich edit's slow
// reading of a large selection.
void SelectAllAndCopy(HWND editor, std::string_view text);

}  // namespace orvanta
