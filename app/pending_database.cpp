// The Password database window, not built yet.
#include "app/commands.h"

namespace orvanta {

void OpenDatabaseWindow() {}
void CloseDatabaseWindow() {}

}  // namespace orvanta
