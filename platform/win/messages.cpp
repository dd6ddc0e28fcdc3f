#include "platform/win/messages.h"

namespace orvanta {

void ShowInformation(HWND owner, const std::string& text) {
  MessageBoxA(owner, text.c_str(), kCaption, MB_OK | MB_ICONINFORMATION);
}

void ShowFailure(HWND owner, const std::string& text) {
  MessageBoxA(owner, text.c_str(), kCaption, MB_OK | MB_ICONWARNING);
}

}  // namespace orvanta
