#include "platform/win/output_view.h"

#include <richedit.h>

#include <string>

#include "platform/win/clipboard.h"
#include "platform/win/display_scale.h"

namespace orvanta {

WORD ParagraphAlignmentOfCode(int alignmentCode) {
  return alignmentCode == kAlignLeft ? PFA_LEFT : alignmentCode == kAlignRight ? PFA_RIGHT : PFA_CENTER;
}

void ApplyAlignment(HWND editor, int alignmentCode) {
  PARAFORMAT pf{};
  pf.cbSize = sizeof pf;
  pf.dwMask = PFM_ALIGNMENT;
  pf.wAlignment = ParagraphAlignmentOfCode(alignmentCode);
  SendMessageA(editor, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
}

namespace {

// The style an editor was made with. Rich edit drops WS_VSCROLL from a
// control's style while its text fits, so a copy made from the current
// style would never scroll again.
constexpr char kMadeStyleProperty[] = "OrvantaEditorStyle";

DWORD MadeStyleOf(HWND editor) {
  if (HANDLE kept = GetPropA(editor, kMadeStyleProperty)) return static_cast<DWORD>(reinterpret_cast<UINT_PTR>(kept));
  return static_cast<DWORD>(GetWindowLongPtrA(editor, GWL_STYLE));
}

// A text this long never fits an editor: its vertical bar is shown while
// the fresh control is still empty, so rich edit lays the text out once, at
// the width it keeps, instead of again when the bar appears. (Made with
// ES_DISABLENOSCROLL instead, rich edit under Wine also shows a horizontal
// bar at the first scroll and lays the whole text out again.)
constexpr size_t kAlwaysScrolls = 32 * 1024;

// A copy of `old`, still empty: same parent, ID, place, style it was made
// with, font, limit, events, paragraph alignment and starting character format.
HWND CloneEditor(HWND old, const FreshEditor& how, size_t textSize) {
  HWND parent = GetParent(old);
  RECT rc;
  GetWindowRect(old, &rc);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
  const DWORD style = MadeStyleOf(old);
  LONG_PTR exStyle = GetWindowLongPtrA(old, GWL_EXSTYLE);
  char className[32] = "";
  GetClassNameA(old, className, sizeof className);
  // Created visible: under Wine a rich edit control that is hidden while it
  // takes a large text lays it out several times slower.
  HWND fresh =
      CreateWindowExA(static_cast<DWORD>(exStyle), className, "", style, rc.left, rc.top, rc.right - rc.left,
                      rc.bottom - rc.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(GetDlgCtrlID(old))),
                      reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(old, GWLP_HINSTANCE)), nullptr);
  if (!fresh) return nullptr;
  KeepEditorStyle(fresh, style);
  CopyDpiChangeBehaviour(old, fresh);
  SendMessageA(fresh, WM_SETFONT, SendMessageA(old, WM_GETFONT, 0, 0), FALSE);
  SendMessageA(fresh, EM_EXLIMITTEXT, 0, SendMessageA(old, EM_GETLIMITTEXT, 0, 0));
  SendMessageA(fresh, EM_SETEVENTMASK, 0, SendMessageA(old, EM_GETEVENTMASK, 0, 0));

  CHARFORMATA cf = how.format ? *how.format : StartFormatOf(old);
  cf.cbSize = sizeof cf;
  SendMessageA(fresh, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));

  if (how.alignmentCode) {
    ApplyAlignment(fresh, how.alignmentCode);
  } else {
    PARAFORMAT pf{};
    pf.cbSize = sizeof pf;
    SendMessageA(old, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    pf.cbSize = sizeof pf;
    pf.dwMask = PFM_ALIGNMENT;
    SendMessageA(fresh, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
  }

  if ((style & WS_VSCROLL) && textSize > kAlwaysScrolls) ShowScrollBar(fresh, SB_VERT, TRUE);
  // Keep the tab order: the fresh control takes the old one's place.
  SetWindowPos(fresh, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return fresh;
}

// The old control goes before the fresh one takes its text: what rich edit
// freed with it is reused, and a large text is laid out in one window only.
void RetireEditor(HWND old, HWND fresh) {
  const bool hadFocus = GetFocus() == old;
  ShowWindow(old, SW_HIDE);
  SetWindowLongPtrA(old, GWLP_ID, 0);
  if (hadFocus) SetFocus(fresh);
  RemovePropA(old, kMadeStyleProperty);
  DestroyWindow(old);
}

}  // namespace

CHARFORMATA StartFormatOf(HWND editor) {
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  // Under Wine the "format at position 0" of an empty control is not the
  // one it was given (16 px "System"), so an empty one answers with its default.
  if (GetWindowTextLengthA(editor) == 0) {
    SendMessageA(editor, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    return format;
  }
  // Read at a selection of its own, put back unnoticed: the parent is not
  // told of selections the user never made.
  const LRESULT events = SendMessageA(editor, EM_SETEVENTMASK, 0, 0);
  CHARRANGE selection{};
  SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  SendMessageA(editor, EM_SETSEL, 0, 0);
  SendMessageA(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  SendMessageA(editor, EM_SETEVENTMASK, 0, events);
  return format;
}

void KeepEditorStyle(HWND editor, DWORD style) {
  SetPropA(editor, kMadeStyleProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(style)));
}

UINT EditorReplacedMessage() {
  static const UINT message = RegisterWindowMessageA("OrvantaEditorReplaced");
  return message;
}

HWND ReplaceEditorText(HWND old, std::string_view text, const FreshEditor& how) {
  if (!old) return nullptr;
  std::string copy(text);
  HWND fresh = CloneEditor(old, how, text.size());
  if (!fresh) {
    if (how.alignmentCode) ApplyAlignment(old, how.alignmentCode);
    SetWindowTextA(old, copy.c_str());
    return old;
  }
  SendMessageA(old, EditorReplacedMessage(), reinterpret_cast<WPARAM>(fresh), how.continuesEditing);
  RetireEditor(old, fresh);
  SetWindowTextA(fresh, copy.c_str());
  return fresh;
}

void SelectAllAndCopy(HWND editor, std::string_view text) {
  SetFocus(editor);
  SendMessageA(editor, EM_SETSEL, 0, -1);
  SetFocus(editor);
  if (!PutTextOnClipboard(editor, text)) ReportCopyFailure(editor);
}

}  // namespace orvanta
