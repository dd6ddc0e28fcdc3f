#include "platform/win/messages.h"

namespace orvanta {

void ShowInformation(HWND owner, const std::string& text) {
  MessageBoxA(owner, text.c_str(), kCaption, MB_OK | MB_ICONINFORMATION);
}

void ShowFailure(HWND owner, const std::string& text) {
  MessageBoxA(owner, text.c_str(), kCaption, MB_OK | MB_ICONWARNING);
}

bool AskYesNo(HWND owner, const std::string& text) {
  return MessageBoxA(owner, text.c_str(), kCaption, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

}  // namespace orvanta
