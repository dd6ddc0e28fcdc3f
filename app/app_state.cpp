#include "app/app_state.h"

#include "resources/resource.h"

namespace orvanta {

AppState& App() {
  static AppState state;
  return state;
}

HWND AppState::OutputEditor() const { return main.dialog ? GetDlgItem(main.dialog, IDC_OUTPUT) : nullptr; }

void AppState::ResetForNewRun() {
  settings = GeneratorSettings{};
  engine.randomState = 0;
  engine.randomValue = 0;
  engine.lengthDivisor = 1;
  engine.quantityDivisor = 1;
  engine.output.clear();
  engine.itemCounter = 0;
  engine.SetSortLists(&sortLists);
  sortLists.Clear();
  output = OutputState{};
  tickCount = GetTickCount;
  editor.paraFormat = PARAFORMAT{};
  editor.charFormat = CHARFORMATA{};
}

}  // namespace orvanta
