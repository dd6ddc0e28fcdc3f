// The password generation engine: one Random state, two stepping methods,
// range mapping, the fourteen generator routines and the Output buffer.
// Portable C++: the platform reaches it only through the tick count handed
// to SeedRandom, the SortLists it is given and the ByteSource of a strong batch.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace orvanta {

class ByteSource;

// Option codes, exactly as the main dialog's controls store them.
enum : int32_t { kMethodLinearCongruential = 51, kMethodBitShift = 52 };
enum : int32_t { kModeSimple = 31, kModeAdvanced = 32 };
enum : int32_t { kKeysAll = 41, kKeysDigits = 42, kKeysLetters = 43, kKeysDigitsLetters = 44 };
enum : int32_t { kCaseSensitive = 7, kCaseNo = 8 };
// Strong: every character from the system's cryptographic random source
// (Engine::GenerateStrong); the Random state plays no part.
enum : int32_t { kSeedAutogenerate = 0, kSeedCustom = 1, kSeedStrong = 2 };

// Start values are those the main dialog shows checked when it opens.
struct GeneratorSettings {
  int32_t method = kMethodBitShift;
  int32_t mode = kModeSimple;
  int32_t keySet = kKeysDigitsLetters;
  int32_t caseOption = kCaseNo;
  int32_t length = 4;
  int32_t quantity = 2;
  int32_t seedMode = kSeedAutogenerate;
};

// Receives every finished password (the ascending and the descending list).
class SortLists {
 public:
  virtual void Insert(std::string_view password) = 0;

 protected:
  ~SortLists() = default;
};

enum class Routine {
  SimpleLetters,
  SimpleMixedLetters,
  SimpleDigits,
  SimpleDigitsLetters,
  SimpleDigitsMixedLetters,
  SimpleKeyboard,
  SimpleKeyboardMixed,
  AdvancedDigits,
  AdvancedLetters,
  AdvancedMixedLetters,
  AdvancedDigitsLetters,
  AdvancedDigitsMixedLetters,
  AdvancedKeyboard,
  AdvancedKeyboardMixed,
};

// The generator dispatch: key set, then case, then mode.
Routine SelectRoutine(const GeneratorSettings& settings);
const char* RoutineName(Routine routine);
inline constexpr int kRoutineCount = 14;

// The packed Character table of the Simple-mode routines (315 characters).
extern const std::string_view kCharacterTable;
// The 77-entry Symbol table of the Advanced-mode routines.
extern const std::string_view kSymbolTable;
// A Simple-mode routine's window: its characters at positions 1 to N+1
// (N+1 characters). Empty for an Advanced-mode routine.
std::string_view CharacterWindow(Routine routine);
// An Advanced-mode routine's Symbol cycle. Empty for a Simple-mode routine.
std::string_view SymbolCycle(Routine routine);

enum class Comparison { Below, Equal, Above };

// One Advanced-mode password: the take-or-skip walk over `cycle` driven by
// successive Random fractions, for 1 <= length <= 77. Writes `length`
// symbols to `password` and returns the number of decisions, i.e. of
// fractions used (at most 77; `fractions` must hold that many).
int32_t WalkSymbols(const double* fractions, int32_t length, std::string_view cycle, char* password);

// Divisor of the range mapping for a password length or batch quantity.
int32_t DivisorFor(int32_t setting);

class Engine {
 public:
  // Settings must hold an offered Length (4 to 34) and a Quantity of at least 1.
  explicit Engine(const GeneratorSettings& settings);

  void SetSortLists(SortLists* lists) { sortLists_ = lists; }

  // One batch with the settings as they are now: the divisors follow Length
  // and Quantity, the Random state is seeded by `seedMode` from `tick`, and
  // the selected routine fills the Output buffer, which is returned.
  const std::string& Generate(int32_t seedMode, uint32_t tick);
  // One batch with the settings' key set, case, length and quantity, every
  // character drawn from `source` (engine/strong_random.h). False, with an
  // empty Output buffer, when the source fails.
  bool GenerateStrong(ByteSource& source);
  // Back to the state of a fresh start (a new run of the main dialog).
  void Reset();

  // Random source.
  void NextRandom();
  void SeedRandom(int32_t seedMode, uint32_t tick);
  // The Random state that the Custom seeding rule starts from.
  void SetRandomState(uint32_t state) { randomState_ = state; }
  uint32_t randomState() const { return randomState_; }
  uint32_t randomValue() const { return randomValue_; }

  // Range mapping.
  void PrepareDivisors();  // from the settings' length and quantity
  int32_t lengthDivisor() const { return lengthDivisor_; }
  int32_t quantityDivisor() const { return quantityDivisor_; }
  double RandomFractionValue() const;  // f of the current Random value
  int32_t RandomIndex(int32_t windowSize) const;
  Comparison RandomFraction(int32_t candidatesLeft, int32_t charactersNeeded) const;

  // Advanced-mode walk counters of the current password.
  void SymbolBounds();  // sets charactersNeeded and candidatesLeft
  int32_t decisionCount() const { return decisionCount_; }
  int32_t characterCount() const { return characterCount_; }
  int32_t charactersNeeded() const { return charactersNeeded_; }
  int32_t candidatesLeft() const { return candidatesLeft_; }
  static constexpr int32_t kDecisionBudget = 77;

  // Generator routines: each makes one whole batch into the Output buffer.
  void SimpleLetters();
  void SimpleMixedLetters();
  void SimpleDigits();
  void SimpleDigitsLetters();
  void SimpleDigitsMixedLetters();
  void SimpleKeyboard();
  void SimpleKeyboardMixed();
  void AdvancedDigits();
  void AdvancedLetters();
  void AdvancedMixedLetters();
  void AdvancedDigitsLetters();
  void AdvancedDigitsMixedLetters();
  void AdvancedKeyboard();
  void AdvancedKeyboardMixed();
  void Run(Routine routine);
  void RunSelected() { Run(SelectRoutine(settings_)); }

  // Password output.
  const std::string& password() const { return password_; }  // the Password buffer
  const std::string& output() const { return output_; }      // the Output buffer
  // The sort commands put a sorted list in the Output buffer.
  void SetOutput(std::string text) { output_ = std::move(text); }
  int32_t batchCountdown() const { return batchCountdown_; }
  // Passwords made since the main dialog's last Generate.
  int32_t itemCounter() const { return itemCounter_; }
  void ResetItemCounter() { itemCounter_ = 0; }

 private:
  friend struct EngineProbe;  // the unit tests' way to set single fields

  bool FinishPassword();
  // Random values do not depend on what a routine does with them, so the
  // routines draw them ahead in blocks (random.cpp).
  void StepAhead(uint32_t from, uint32_t* states, size_t count) const;
  void FractionsOf(const uint32_t* states, double* fractions, size_t count) const;
  void CommitState(uint32_t state);
  void RunSimple(std::string_view window);
  void RunAdvanced(Routine routine);
  void StartBatch();

  const GeneratorSettings& settings_;
  SortLists* sortLists_ = nullptr;
  uint32_t randomState_ = 0;
  uint32_t randomValue_ = 0;
  int32_t lengthDivisor_ = 1;
  int32_t quantityDivisor_ = 1;
  int32_t decisionCount_ = 0;
  int32_t characterCount_ = 0;
  int32_t charactersNeeded_ = 0;
  int32_t candidatesLeft_ = 0;
  std::string password_;
  std::string output_;
  int32_t batchCountdown_ = 0;
  int32_t itemCounter_ = 0;
};

inline constexpr std::string_view kLineEnd = "      \n";

}  // namespace orvanta
