// The program's message boxes: every one is captioned "Orvanta". Texts are
// UTF-8, so a file named in one is shown with its real name.
#pragma once

#include <windows.h>

#include <string>

namespace orvanta {

inline constexpr char kCaption[] = "Orvanta";

// An information box with an OK button.
void ShowInformation(HWND owner, const std::string& text);
// A failure the user must know about (a file not written, not printed).
void ShowFailure(HWND owner, const std::string& text);
// A question whose safe answer is No (the default button); true for Yes.
bool AskYesNo(HWND owner, const std::string& text);

}  // namespace orvanta
