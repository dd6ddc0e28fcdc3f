#include "platform/win/messages.h"

#include "platform/utf8_text.h"

namespace orvanta {

namespace {

int Show(HWND owner, const std::string& text, UINT style) {
  return MessageBoxW(owner, WideFromUtf8(text).c_str(), WideFromUtf8(kCaption).c_str(), style);
}

}  // namespace

void ShowInformation(HWND owner, const std::string& text) { Show(owner, text, MB_OK | MB_ICONINFORMATION); }

void ShowFailure(HWND owner, const std::string& text) { Show(owner, text, MB_OK | MB_ICONWARNING); }

bool AskYesNo(HWND owner, const std::string& text) {
  return Show(owner, text, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

}  // namespace orvanta
