// The Output buffer, FinishPassword and the generator dispatch.
#include <cstdint>

#include "engine/engine.h"

namespace orvanta {

Engine::Engine(const GeneratorSettings& settings) : settings_(settings) {}

const std::string& Engine::Generate(int32_t seedMode, uint32_t tick) {
  PrepareDivisors();
  SeedRandom(seedMode, tick);
  RunSelected();
  return output_;
}

void Engine::Reset() {
  randomState_ = randomValue_ = 0;
  lengthDivisor_ = quantityDivisor_ = 1;
  decisionCount_ = characterCount_ = charactersNeeded_ = candidatesLeft_ = 0;
  password_.clear();
  output_.clear();
  batchCountdown_ = itemCounter_ = 0;
}

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
  output_.clear();
  batchCountdown_ = settings_.quantity;
  const int64_t bytes = int64_t{settings_.quantity} * (int64_t{settings_.length} + int64_t(kLineEnd.size())) + 1;
  output_.reserve(static_cast<size_t>(bytes));
}

bool Engine::FinishPassword() {
  if (sortLists_ != nullptr) sortLists_->Insert(password_);
  ++itemCounter_;
  output_.append(password_);
  output_.append(kLineEnd);
  --batchCountdown_;
  return batchCountdown_ == 0;
}

}  // namespace orvanta
