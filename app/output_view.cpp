#include "app/output_view.h"

#include <richedit.h>

#include <cstring>
#include <string>

#include "app/app_state.h"
#include "resources/resource.h"

namespace orvanta {

void ApplyAlignment(HWND editor, int alignmentCode) {
  PARAFORMAT& pf = App().editor.paraFormat;
  pf.cbSize = sizeof pf;
  pf.dwMask = PFM_ALIGNMENT;
  pf.wAlignment = alignmentCode == kAlignLeft ? PFA_LEFT : alignmentCode == kAlignRight ? PFA_RIGHT : PFA_CENTER;
  SendMessageA(editor, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
}

namespace {

// A copy of `old`: same parent, ID, place, styles, font, paragraph
// alignment and the character format its text starts with.
HWND CloneEditor(HWND old, int alignmentCode) {
  HWND parent = GetParent(old);
  RECT rc;
  GetWindowRect(old, &rc);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
  LONG_PTR style = GetWindowLongPtrA(old, GWL_STYLE);
  LONG_PTR exStyle = GetWindowLongPtrA(old, GWL_EXSTYLE);
  char className[32] = "";
  GetClassNameA(old, className, sizeof className);
  // Created visible, behind the old control: under Wine a rich edit control
  // that is hidden while it takes a large text lays it out several times slower.
  HWND fresh = CreateWindowExA(static_cast<DWORD>(exStyle), className, "", static_cast<DWORD>(style),
                               rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(GetDlgCtrlID(old))),
                               App().module, nullptr);
  if (!fresh) return nullptr;
  SendMessageA(fresh, WM_SETFONT, SendMessageA(old, WM_GETFONT, 0, 0), FALSE);
  SendMessageA(fresh, EM_EXLIMITTEXT, 0, SendMessageA(old, EM_GETLIMITTEXT, 0, 0));
  SendMessageA(fresh, EM_SETEVENTMASK, 0, SendMessageA(old, EM_GETEVENTMASK, 0, 0));

  CHARFORMATA cf{};
  cf.cbSize = sizeof cf;
  SendMessageA(old, EM_SETSEL, 0, 0);
  SendMessageA(old, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  cf.cbSize = sizeof cf;
  SendMessageA(fresh, EM_SETCHARFORMAT, 0, reinterpret_cast<LPARAM>(&cf));

  if (alignmentCode) {
    ApplyAlignment(fresh, alignmentCode);
  } else {
    PARAFORMAT pf{};
    pf.cbSize = sizeof pf;
    SendMessageA(old, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    pf.cbSize = sizeof pf;
    pf.dwMask = PFM_ALIGNMENT;
    SendMessageA(fresh, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
  }

  // Keep the tab order: the fresh control takes the old one's place.
  SetWindowPos(fresh, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return fresh;
}

}  // namespace

HWND SetOutputEditorText(std::string_view text, int alignmentCode) {
  return ReplaceEditorText(App().OutputEditor(), text, alignmentCode);
}

HWND ReplaceEditorText(HWND old, std::string_view text, int alignmentCode) {
  if (!old) return nullptr;
  HWND fresh = CloneEditor(old, alignmentCode);
  std::string copy(text);
  if (!fresh) {
    if (alignmentCode) ApplyAlignment(old, alignmentCode);
    SetWindowTextA(old, copy.c_str());
    return old;
  }
  SetWindowTextA(fresh, copy.c_str());
  bool hadFocus = GetFocus() == old;
  ShowWindow(old, SW_HIDE);
  SetWindowLongPtrA(old, GWLP_ID, 0);
  if (hadFocus) SetFocus(fresh);
  DestroyWindow(old);
  return fresh;
}

bool PutTextOnClipboard(HWND owner, std::string_view text) {
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!mem) return false;
  char* p = static_cast<char*>(GlobalLock(mem));
  std::memcpy(p, text.data(), text.size());
  p[text.size()] = '\0';
  GlobalUnlock(mem);
  if (!OpenClipboard(owner)) {
    GlobalFree(mem);
    return false;
  }
  EmptyClipboard();
  bool ok = SetClipboardData(CF_TEXT, mem) != nullptr;
  CloseClipboard();
  if (!ok) GlobalFree(mem);
  return ok;
}

void SelectAllAndCopy(HWND editor, std::string_view text) {
  SetFocus(editor);
  SendMessageA(editor, EM_SETSEL, 0, -1);
  SetFocus(editor);
  PutTextOnClipboard(editor, text);
}

}  // namespace orvanta
