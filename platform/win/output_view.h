// Putting text into the rich edit controls that show batches, and onto the
// clipboard.
#pragma once

#include <windows.h>

#include <string_view>

namespace orvanta {

// The Alignment codes of the Format commands' state.
enum : int { kAlignLeft = 5, kAlignCenter = 6, kAlignRight = 7 };

// PFA_LEFT, PFA_CENTER or PFA_RIGHT for an Alignment code.
WORD ParagraphAlignmentOfCode(int alignmentCode);

// Sets the paragraph alignment of the whole editor from an Alignment code.
void ApplyAlignment(HWND editor, int alignmentCode);

// Replaces the whole text of a rich edit control. A rich edit control that
// already holds a large text takes seconds to empty, so the control is
// replaced by a fresh one with the same parent, ID, place, style it was
// made with, font,
// alignment and character format, which takes the new text at once.
// Returns the handle of the control that now shows the text.
// With an Alignment code (5, 6, 7) the fresh control takes that alignment
// instead of the old one's: cheaper than re-aligning the old large text.
HWND ReplaceEditorText(HWND editor, std::string_view text, int alignmentCode = 0);

// Records the style `editor` was made with, for the copies that replace it
// (rich edit takes WS_VSCROLL off the current style while its text fits).
void KeepEditorStyle(HWND editor, DWORD style);

// Selects the whole text of `editor` and puts `text` (the same text) on the
// clipboard, as a copy of the selection would, without rich edit's slow
// reading of a large selection.
void SelectAllAndCopy(HWND editor, std::string_view text);

}  // namespace orvanta
