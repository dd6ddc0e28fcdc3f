#include "platform/win/editor_edits.h"

#include <richedit.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win/clipboard.h"
#include "platform/win/output_view.h"
#include "platform/win/window_parts.h"

namespace orvanta {

namespace {

// Rich edit under Wine deletes a line of text in time proportional to the
// whole text's lines (measured: 1,000 lines of 10,000 take 2 to 3 s, all of
// them a minute); inserting is cheaper, but its Undo is such a deletion.
// Edits up to this many changed lines times lines of text stay rich edit's
// own (about a quarter of a second at most); larger ones go through a fresh
// control (about half a second for the largest batch, whatever the edit).
constexpr size_t kNativeWork = 1000000;
// A text and an edit below this size never reach that work.
constexpr int kSmallText = 32 * 1024;
// Large edits kept for Undo; each holds the whole text before it.
constexpr size_t kUndoDepth = 16;

// What an editor's text was before a large edit.
struct Snapshot {
  std::string text;
  CHARRANGE selection{};
  int firstLine = 0;
  CHARFORMATA format{};
};

// The record of a routed editor, kept in a window property and handed to
// the fresh control that takes its place.
struct EditorRecord {
  WNDPROC base = nullptr;
  // Undo of the large edits, oldest first. A large edit always leaves a
  // fresh control, so rich edit's own Undo history is newer than all of these.
  std::vector<Snapshot> undo;
  // A font was given to part of the text; a fresh control would show it all
  // in one format, so edits stay rich edit's own.
  bool mixedFormats = false;
  // A key handled here: its character (Backspace) is not for rich edit.
  bool swallowNextChar = false;
};

constexpr char kRecordProperty[] = "OrvantaEditorRecord";

EditorRecord* RecordOf(HWND editor) { return static_cast<EditorRecord*>(GetPropA(editor, kRecordProperty)); }

LRESULT CALLBACK EditorProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam);

void Attach(HWND editor, EditorRecord* record) {
  record->base = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(editor, GWLP_WNDPROC));
  SetPropA(editor, kRecordProperty, record);
  SetWindowLongPtrA(editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditorProc));
}

void Detach(HWND editor, const EditorRecord& record) {
  SetWindowLongPtrA(editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(record.base));
  RemovePropA(editor, kRecordProperty);
}

LRESULT Base(HWND editor, const EditorRecord& record, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return CallWindowProcA(record.base, editor, message, wParam, lParam);
}

CHARRANGE Selection(HWND editor) {
  CHARRANGE range{};
  SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range;
}

std::string SelectedText(HWND editor) {
  const CHARRANGE range = Selection(editor);
  if (range.cpMax <= range.cpMin) return std::string();
  std::string text(static_cast<size_t>(range.cpMax - range.cpMin) + 1, '\0');
  text.resize(static_cast<size_t>(SendMessageA(editor, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

size_t LinesIn(std::string_view text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

// Taken only while the editor has no mixed formats.
Snapshot TakeSnapshot(HWND editor, std::string text) {
  Snapshot snapshot{std::move(text), Selection(editor),
                    static_cast<int>(SendMessageA(editor, EM_GETFIRSTVISIBLELINE, 0, 0)), StartFormatOf(editor)};
  return snapshot;
}

// Keeps `snapshot` for Undo; returns it as kept.
const Snapshot& Remember(EditorRecord& record, Snapshot snapshot) {
  if (record.undo.size() == kUndoDepth) record.undo.erase(record.undo.begin());
  record.undo.push_back(std::move(snapshot));
  return record.undo.back();
}

// Shows `text` in a fresh control in `editor`'s place, the editing going
// on, with `selection` and, as far as the text reaches, the first line
// shown before; after an edit, the caret is brought into view.
HWND ShowFresh(HWND editor, const std::string& text, CHARRANGE selection, int firstLine, const CHARFORMATA& format,
               bool caretInView) {
  HWND fresh = ReplaceEditorText(editor, text, {0, &format, true});
  SendMessageA(fresh, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  const LRESULT shown = SendMessageA(fresh, EM_GETFIRSTVISIBLELINE, 0, 0);
  SendMessageA(fresh, EM_LINESCROLL, 0, firstLine - shown);
  if (caretInView) SendMessageA(fresh, EM_SCROLLCARET, 0, 0);
  return fresh;
}

// Replaces the selection with `text` through a fresh control, undoably,
// when rich edit would take long for it; false when rich edit is to do it.
bool ReplaceLarge(HWND editor, EditorRecord& record, const std::string& text) {
  if (record.mixedFormats || (GetWindowTextLengthA(editor) <= kSmallText && text.size() <= kSmallText)) return false;
  std::string whole = WindowText(editor);
  const CHARRANGE range = Selection(editor);
  const size_t from = std::min(static_cast<size_t>(std::max(range.cpMin, 0L)), whole.size());
  const size_t to = range.cpMax < 0 ? whole.size() : std::clamp(static_cast<size_t>(range.cpMax), from, whole.size());
  const size_t changed = LinesIn(std::string_view(whole).substr(from, to - from)) + LinesIn(text);
  if (changed * (LinesIn(whole) + LinesIn(text) + 1) <= kNativeWork) return false;
  const Snapshot& before = Remember(record, TakeSnapshot(editor, whole));
  whole.replace(from, to - from, text);
  const LONG caret = static_cast<LONG>(from + text.size());
  ShowFresh(editor, whole, CHARRANGE{caret, caret}, before.firstLine, before.format, true);
  return true;
}

// Replaces the selection with `text`, undoably, as EM_REPLACESEL does.
void ReplaceSelection(HWND editor, EditorRecord& record, const std::string& text) {
  if (!ReplaceLarge(editor, record, text))
    Base(editor, record, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

// Copy and Cut say whether the text reached the clipboard; a cut that did
// not leaves the text where it was. The failure is told by the caller, once
// it is done with the record.
bool Copy(HWND editor) {
  const std::string text = SelectedText(editor);
  return text.empty() || PutTextOnClipboard(editor, text);
}

bool Cut(HWND editor, EditorRecord& record) {
  const std::string text = SelectedText(editor);
  if (text.empty()) return true;
  if (!PutTextOnClipboard(editor, text)) return false;
  ReplaceSelection(editor, record, "");
  return true;
}

void Paste(HWND editor, EditorRecord& record) {
  const std::string text = ClipboardText(editor);
  if (!text.empty()) ReplaceSelection(editor, record, text);
}

void Undo(HWND editor, EditorRecord& record) {
  if (Base(editor, record, EM_CANUNDO)) {
    Base(editor, record, WM_UNDO);
    return;
  }
  if (record.undo.empty()) return;
  Snapshot last = std::move(record.undo.back());
  record.undo.pop_back();
  ShowFresh(editor, last.text, last.selection, last.firstLine, last.format, true);
}

// `format` with the parts that `change` sets.
CHARFORMATA Merged(CHARFORMATA format, const CHARFORMATA& change) {
  const DWORD effects = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED;
  const DWORD set = change.dwMask & effects;
  format.dwEffects = (format.dwEffects & ~set) | (change.dwEffects & set);
  if (change.dwMask & CFM_COLOR) {
    format.dwEffects = (format.dwEffects & ~CFE_AUTOCOLOR) | (change.dwEffects & CFE_AUTOCOLOR);
    format.crTextColor = change.crTextColor;
  }
  if (change.dwMask & CFM_SIZE) format.yHeight = change.yHeight;
  if (change.dwMask & CFM_OFFSET) format.yOffset = change.yOffset;
  if (change.dwMask & CFM_CHARSET) format.bCharSet = change.bCharSet;
  if (change.dwMask & CFM_FACE) {
    format.bPitchAndFamily = change.bPitchAndFamily;
    lstrcpynA(format.szFaceName, change.szFaceName, sizeof format.szFaceName);
  }
  format.dwMask |= change.dwMask;
  return format;
}

// EM_SETCHARFORMAT of the selection. Rich edit lays a large text out again
// for a font given to all of it; a fresh control in that font takes it at once.
LRESULT FormatSelection(HWND editor, EditorRecord& record, WPARAM scope, const CHARFORMATA& change) {
  const CHARRANGE range = Selection(editor);
  const int length = GetWindowTextLengthA(editor);
  const bool whole = range.cpMin <= 0 && (range.cpMax < 0 || range.cpMax >= length);
  if (!whole) record.mixedFormats = true;
  // With mixed formats, what the change leaves alone differs along the text.
  if (!whole || record.mixedFormats || length <= kSmallText || change.cbSize < sizeof(CHARFORMATA))
    return Base(editor, record, EM_SETCHARFORMAT, scope, reinterpret_cast<LPARAM>(&change));
  const Snapshot& before = Remember(record, TakeSnapshot(editor, WindowText(editor)));
  ShowFresh(editor, before.text, range, before.firstLine, Merged(before.format, change), false);
  return TRUE;
}

// A fresh control takes the editor's place: the record goes with it.
void HandOver(HWND editor, EditorRecord* record, HWND fresh, bool continuesEditing) {
  Detach(editor, *record);
  if (!continuesEditing) {
    record->undo.clear();
    record->mixedFormats = false;
  }
  Attach(fresh, record);
}

bool KeyDown(int key) { return GetKeyState(key) < 0; }

// The editor's own keys for Copy, Cut, Paste and Undo, and Delete or
// Backspace on a large selection; false when rich edit is to take the key.
bool OnKey(HWND editor, EditorRecord& record, WPARAM key, bool* copied) {
  const bool control = KeyDown(VK_CONTROL), shift = KeyDown(VK_SHIFT);
  const CHARRANGE range = Selection(editor);
  const bool selection = range.cpMax != range.cpMin;
  if (control && !shift && (key == 'C' || key == VK_INSERT))
    *copied = Copy(editor);
  else if ((control && !shift && key == 'X') || (shift && !control && key == VK_DELETE))
    *copied = Cut(editor, record);
  else if ((control && !shift && key == 'V') || (shift && !control && key == VK_INSERT))
    Paste(editor, record);
  else if (control && !shift && key == 'Z')
    Undo(editor, record);
  else if (!control && !shift && selection && (key == VK_DELETE || key == VK_BACK))
    return ReplaceLarge(editor, record, "");
  else
    return false;
  return true;
}

// Typing over a large selection, within the editor's limit; false when
// rich edit is to take the character.
bool OnChar(HWND editor, EditorRecord& record, WPARAM character) {
  const CHARRANGE range = Selection(editor);
  if (character < 0x20 || character == 0x7F || range.cpMax == range.cpMin) return false;
  const LRESULT limit = SendMessageA(editor, EM_GETLIMITTEXT, 0, 0);
  if (GetWindowTextLengthA(editor) - (range.cpMax - range.cpMin) + 1 > limit) return false;
  return ReplaceLarge(editor, record, std::string(1, static_cast<char>(character)));
}

LRESULT CALLBACK EditorProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam) {
  EditorRecord* record = RecordOf(editor);
  if (!record) return DefWindowProcA(editor, message, wParam, lParam);
  if (message == EditorReplacedMessage()) {
    HandOver(editor, record, reinterpret_cast<HWND>(wParam), lParam != 0);
    return 0;
  }
  switch (message) {
    case WM_COPY:
      if (!Copy(editor)) ReportCopyFailure(editor);
      return 0;
    case WM_CUT:
      if (!Cut(editor, *record)) ReportCopyFailure(editor);
      return 0;
    case WM_PASTE: Paste(editor, *record); return 0;
    case WM_CLEAR: ReplaceSelection(editor, *record, ""); return 0;
    case WM_UNDO:
    case EM_UNDO: Undo(editor, *record); return TRUE;
    case EM_CANUNDO: return Base(editor, *record, EM_CANUNDO) || !record->undo.empty();
    case EM_SETCHARFORMAT:
      if (wParam != SCF_SELECTION) break;
      return FormatSelection(editor, *record, wParam, *reinterpret_cast<const CHARFORMATA*>(lParam));
    case WM_KEYDOWN: {
      record->swallowNextChar = false;
      bool copied = true;
      if (!OnKey(editor, *record, wParam, &copied)) break;
      record->swallowNextChar = wParam == VK_BACK;  // the one handled key that makes a character
      if (!copied) ReportCopyFailure(editor);       // last: the record may go meanwhile
      return 0;
    }
    case WM_CHAR: {
      const bool swallow = record->swallowNextChar;
      record->swallowNextChar = false;
      // The characters of Ctrl+C, Ctrl+V, Ctrl+X and Ctrl+Z: their keys were handled above.
      if (swallow || wParam == 0x03 || wParam == 0x16 || wParam == 0x18 || wParam == 0x1A) return 0;
      if (OnChar(editor, *record, wParam)) return 0;
      break;
    }
    case WM_NCDESTROY: {
      const WNDPROC base = record->base;
      Detach(editor, *record);
      delete record;
      return CallWindowProcA(base, editor, message, wParam, lParam);
    }
    default: break;
  }
  return Base(editor, *record, message, wParam, lParam);
}

}  // namespace

void RouteEditorEdits(HWND editor) {
  if (!editor || RecordOf(editor)) return;
  Attach(editor, new EditorRecord);
}

// Rich edit keeps a new alignment in its Undo history, so a cut followed by
// EM_SETPARAFORMAT would need two Undos to bring the text back. An empty
// fresh control with the alignment has no history of its own.
HWND CutWholeText(HWND editor, int alignmentCode, bool* copied) {
  EditorRecord* record = editor ? RecordOf(editor) : nullptr;
  std::string whole = WindowText(editor);
  *copied = whole.empty() || PutTextOnClipboard(editor, whole);
  if (!*copied || !record || record->mixedFormats) {
    // Rich edit's own deletion (undoable) of what reached the clipboard.
    if (*copied) {
      SendMessageA(editor, EM_SETSEL, 0, -1);
      SendMessageA(editor, WM_CLEAR, 0, 0);
    }
    ApplyAlignment(editor, alignmentCode);
    return editor;
  }
  Snapshot before = TakeSnapshot(editor, std::move(whole));
  const CHARFORMATA format = before.format;
  if (!before.text.empty()) Remember(*record, std::move(before));
  return ReplaceEditorText(editor, "", {alignmentCode, &format, true});
}

}  // namespace orvanta
