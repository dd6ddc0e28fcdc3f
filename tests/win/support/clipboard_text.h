// The clipboard's text as another program reads it: shared by the window
// tests and the session driver, which links none of the program's windows.
#pragma once

#include <windows.h>

#include <string>

namespace uitest {

// CF_TEXT, which Windows makes from the other text formats; "" when the
// clipboard holds no text or cannot be opened.
inline std::string ReadClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(data))) {
      text = p;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

}  // namespace uitest
