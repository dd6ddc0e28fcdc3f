// The one way the program puts text on the clipboard. Every such text is a
// password or a batch of them, so it goes with the formats that keep it out
// of the clipboard history (Win+V) and the cloud clipboard.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace orvanta {

// Puts `text` on the clipboard as CF_TEXT (Windows adds CF_UNICODETEXT from
// it), in the same opening as the three private formats; false when the
// clipboard is unavailable.
bool PutTextOnClipboard(HWND owner, std::string_view text);

// A password copied from the database: it leaves the clipboard again after
// its lifetime (30 seconds), or at ForgetPasswordCopy (the program's end),
// unless something else has been put on the clipboard since. Batches are
// put there with PutTextOnClipboard and stay.
bool PutPasswordOnClipboard(HWND owner, std::string_view password);
void ForgetPasswordCopy();
// How long such a copy stays, for the tests (no user setting).
void SetPasswordCopyLifetime(UINT milliseconds);

// Tells the user that a copy or a cut did not reach the clipboard (another
// program kept it busy), so that what it held before is not pasted in the
// belief that it is the new text. Shown last, once the command is done.
void ReportCopyFailure(HWND window);

// The clipboard's text (CF_TEXT, which Windows makes from the other text
// formats); "" when it holds none.
std::string ClipboardText(HWND owner);

}  // namespace orvanta
