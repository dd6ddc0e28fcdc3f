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

// Tells the user that a copy or a cut did not reach the clipboard (another
// program kept it busy), so that what it held before is not pasted in the
// belief that it is the new text. Shown last, once the command is done.
void ReportCopyFailure(HWND window);

// The clipboard's text (CF_TEXT, which Windows makes from the other text
// formats); "" when it holds none.
std::string ClipboardText(HWND owner);

}  // namespace orvanta
