// The Big-screen window and the Custom Seed dialog, not built yet.
#include "app/commands.h"

namespace orvanta {

void ShowBatchInNewBigScreen() {}
void RunCustomSeedDialog() {}

}  // namespace orvanta
