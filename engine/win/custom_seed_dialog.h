// The Custom Seed dialog (template IDD_DIALOG5): nine digit boxes with
// up-down controls; OK shows the nine digits' number in a "New Seed" box
// and returns it as the chosen seed.
#pragma once

#include <windows.h>

#include <cstdint>

namespace orvanta {

// Runs the dialog, owned by `owner` (the main dialog), which cannot be used
// while it is open; true, with the number in `seed`, when OK closed it.
bool RunCustomSeedDialog(HWND owner, uint32_t* seed);

}  // namespace orvanta
