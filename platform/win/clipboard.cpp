#include "platform/win/clipboard.h"

#include <richedit.h>

#include <cstring>
#include <string>

namespace orvanta {

namespace {

// Formats that Windows' clipboard history and cloud clipboard look for: the
// first makes clipboard monitors pass the content by, the other two (a DWORD
// 0) say no to the history and to the upload.
const char* const kPrivateFormats[] = {"ExcludeClipboardContentFromMonitorProcessing", "CanIncludeInClipboardHistory",
                                       "CanUploadToCloudClipboard"};

HGLOBAL GlobalCopy(const void* data, size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!memory) return nullptr;
  std::memcpy(GlobalLock(memory), data, size);
  GlobalUnlock(memory);
  return memory;
}

// Hands `memory` to the clipboard, or frees it when the clipboard refuses.
bool Place(UINT format, HGLOBAL memory) {
  if (memory && SetClipboardData(format, memory)) return true;
  if (memory) GlobalFree(memory);
  return false;
}

std::string SelectedText(HWND editor) {
  CHARRANGE range{};
  SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  if (range.cpMax <= range.cpMin) return std::string();
  std::string text(static_cast<size_t>(range.cpMax - range.cpMin) + 1, '\0');
  text.resize(static_cast<size_t>(SendMessageA(editor, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

constexpr char kEditorProcProperty[] = "OrvantaEditorProc";

bool KeyDown(int key) { return GetKeyState(key) < 0; }

LRESULT CALLBACK PrivateClipboardProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto base = reinterpret_cast<WNDPROC>(GetPropA(editor, kEditorProcProperty));
  switch (message) {
    case WM_COPY: CopySelection(editor); return 0;
    case WM_CUT: CutSelection(editor); return 0;
    case WM_KEYDOWN: {
      const bool control = KeyDown(VK_CONTROL), shift = KeyDown(VK_SHIFT);
      if (control && (wParam == 'C' || wParam == VK_INSERT)) {
        CopySelection(editor);
        return 0;
      }
      if ((control && wParam == 'X') || (shift && !control && wParam == VK_DELETE)) {
        CutSelection(editor);
        return 0;
      }
      break;
    }
    // The characters that Ctrl+C and Ctrl+X make: the keys were handled above.
    case WM_CHAR:
      if (wParam == 0x03 || wParam == 0x18) return 0;
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrA(editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(base));
      RemovePropA(editor, kEditorProcProperty);
      break;
    default: break;
  }
  return CallWindowProcA(base, editor, message, wParam, lParam);
}

}  // namespace

bool PutTextOnClipboard(HWND owner, std::string_view text) {
  std::string terminated(text);
  HGLOBAL memory = GlobalCopy(terminated.c_str(), terminated.size() + 1);
  if (!memory || !OpenClipboard(owner)) {
    if (memory) GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  bool ok = Place(CF_TEXT, memory);
  const DWORD no = 0;
  for (const char* name : kPrivateFormats) ok = Place(RegisterClipboardFormatA(name), GlobalCopy(&no, sizeof no)) && ok;
  CloseClipboard();
  return ok;
}

void CopySelection(HWND editor) {
  const std::string text = SelectedText(editor);
  if (!text.empty()) PutTextOnClipboard(editor, text);
}

void CutSelection(HWND editor) {
  const std::string text = SelectedText(editor);
  if (text.empty() || !PutTextOnClipboard(editor, text)) return;
  SendMessageA(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(""));
}

void RouteEditorClipboard(HWND editor) {
  if (!editor || GetPropA(editor, kEditorProcProperty)) return;
  const LONG_PTR base = GetWindowLongPtrA(editor, GWLP_WNDPROC);
  SetPropA(editor, kEditorProcProperty, reinterpret_cast<HANDLE>(base));
  SetWindowLongPtrA(editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PrivateClipboardProc));
}

}  // namespace orvanta
