#include "platform/win/clipboard.h"

#include <cstring>
#include <string>

#include "platform/win/messages.h"

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

// Another program may hold the clipboard open for a moment (a clipboard
// manager reading the last copy, Wine's or Windows' own clipboard service):
// waiting for it up to a second beats a copy that silently fails and leaves
// the previous text, perhaps another password, to be pasted.
bool OpenClipboardPatiently(HWND owner) {
  for (int tries = 1; !OpenClipboard(owner); ++tries) {
    if (tries == 100) return false;
    Sleep(10);
  }
  return true;
}

}  // namespace

bool PutTextOnClipboard(HWND owner, std::string_view text) {
  std::string terminated(text);
  HGLOBAL memory = GlobalCopy(terminated.c_str(), terminated.size() + 1);
  if (!memory || !OpenClipboardPatiently(owner)) {
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

namespace {

UINT passwordLifetime = 30000;
// The clipboard's sequence number just after the password was put there:
// while it is unchanged, the clipboard still holds that password. 0: none.
DWORD passwordSequence = 0;
UINT_PTR forgetTimer = 0;

void CALLBACK ForgetWhenDue(HWND, UINT, UINT_PTR, DWORD) { ForgetPasswordCopy(); }

}  // namespace

bool PutPasswordOnClipboard(HWND owner, std::string_view password) {
  if (!PutTextOnClipboard(owner, password)) return false;
  passwordSequence = GetClipboardSequenceNumber();
  // A thread timer: it outlives the database window, and the main dialog's
  // loop dispatches it.
  if (forgetTimer) KillTimer(nullptr, forgetTimer);
  forgetTimer = SetTimer(nullptr, 0, passwordLifetime, ForgetWhenDue);
  return true;
}

void ForgetPasswordCopy() {
  if (forgetTimer) KillTimer(nullptr, forgetTimer);
  forgetTimer = 0;
  const DWORD copied = passwordSequence;
  passwordSequence = 0;
  // Anything put on the clipboard since, by this program or another, stays.
  if (!copied || GetClipboardSequenceNumber() != copied || !OpenClipboardPatiently(nullptr)) return;
  if (GetClipboardSequenceNumber() == copied) EmptyClipboard();
  CloseClipboard();
}

void SetPasswordCopyLifetime(UINT milliseconds) { passwordLifetime = milliseconds; }

void ReportCopyFailure(HWND window) {
  ShowFailure(window ? GetAncestor(window, GA_ROOT) : nullptr,
              "Nothing was copied: another program is keeping the clipboard busy. The clipboard still holds what was "
              "on it before, and any text to be cut stays where it was.\n\nPlease try again in a moment.");
}

std::string ClipboardText(HWND owner) {
  std::string text;
  if (!OpenClipboardPatiently(owner)) return text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* locked = static_cast<const char*>(GlobalLock(data))) text = locked;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

}  // namespace orvanta
