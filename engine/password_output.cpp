// The Output buffer, FinishPassword and the generator dispatch.
#include <cstdint>

#include "engine/engine.h"

namespace orvanta {

Engine::Engine(const GeneratorSettings& settings) : settings_(settings) {}

Routine SelectRoutine(const GeneratorSettings& settings) {
  const bool simple = settings.mode == kModeSimple;  // any other mode is Advanced
  const bool noCase = settings.caseOption == kCaseNo;
  switch (settings.keySet) {
    case kKeysDigits:  // case does not matter for digits
      return simple ? Routine::SimpleDigits : Routine::AdvancedDigits;
    case kKeysLetters:
      if (noCase) return simple ? Routine::SimpleLetters : Routine::AdvancedLetters;
      return simple ? Routine::SimpleMixedLetters : Routine::AdvancedMixedLetters;
    case kKeysDigitsLetters:
      if (noCase) return simple ? Routine::SimpleDigitsLetters : Routine::AdvancedDigitsLetters;
      return simple ? Routine::SimpleDigitsMixedLetters : Routine::AdvancedDigitsMixedLetters;
    default:  // "All Keyboard", and any unknown key set
      if (noCase) return simple ? Routine::SimpleKeyboard : Routine::AdvancedKeyboard;
      return simple ? Routine::SimpleKeyboardMixed : Routine::AdvancedKeyboardMixed;
  }
}

const char* RoutineName(Routine routine) {
  switch (routine) {
    case Routine::SimpleLetters: return "SimpleLetters";
    case Routine::SimpleMixedLetters: return "SimpleMixedLetters";
    case Routine::SimpleDigits: return "SimpleDigits";
    case Routine::SimpleDigitsLetters: return "SimpleDigitsLetters";
    case Routine::SimpleDigitsMixedLetters: return "SimpleDigitsMixedLetters";
    case Routine::SimpleKeyboard: return "SimpleKeyboard";
    case Routine::SimpleKeyboardMixed: return "SimpleKeyboardMixed";
    case Routine::AdvancedDigits: return "AdvancedDigits";
    case Routine::AdvancedLetters: return "AdvancedLetters";
    case Routine::AdvancedMixedLetters: return "AdvancedMixedLetters";
    case Routine::AdvancedDigitsLetters: return "AdvancedDigitsLetters";
    case Routine::AdvancedDigitsMixedLetters: return "AdvancedDigitsMixedLetters";
    case Routine::AdvancedKeyboard: return "AdvancedKeyboard";
    case Routine::AdvancedKeyboardMixed: return "AdvancedKeyboardMixed";
  }
  return "";
}

void Engine::Run(Routine routine) {
  switch (routine) {
    case Routine::SimpleLetters: return SimpleLetters();
    case Routine::SimpleMixedLetters: return SimpleMixedLetters();
    case Routine::SimpleDigits: return SimpleDigits();
    case Routine::SimpleDigitsLetters: return SimpleDigitsLetters();
    case Routine::SimpleDigitsMixedLetters: return SimpleDigitsMixedLetters();
    case Routine::SimpleKeyboard: return SimpleKeyboard();
    case Routine::SimpleKeyboardMixed: return SimpleKeyboardMixed();
    case Routine::AdvancedDigits: return AdvancedDigits();
    case Routine::AdvancedLetters: return AdvancedLetters();
    case Routine::AdvancedMixedLetters: return AdvancedMixedLetters();
    case Routine::AdvancedDigitsLetters: return AdvancedDigitsLetters();
    case Routine::AdvancedDigitsMixedLetters: return AdvancedDigitsMixedLetters();
    case Routine::AdvancedKeyboard: return AdvancedKeyboard();
    case Routine::AdvancedKeyboardMixed: return AdvancedKeyboardMixed();
  }
}

// Empties the Output buffer and sizes it once for the whole batch, so that
// appending a password never moves it.
void Engine::StartBatch() {
  output.clear();
  batchCountdown = settings_.quantity;
  if (settings_.quantity > 0 && settings_.length >= 0) {
    const int64_t bytes = int64_t{settings_.quantity} * (int64_t{settings_.length} + int64_t(kLineEnd.size())) + 1;
    output.reserve(static_cast<size_t>(bytes));
  }
}

bool Engine::FinishPassword() {
  if (sortLists_ != nullptr) sortLists_->Insert(password);
  ++itemCounter;
  output.append(password);
  output.append(kLineEnd);
  --batchCountdown;
  return batchCountdown == 0;
}

}  // namespace orvanta
