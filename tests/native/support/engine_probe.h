// Sets single fields of an Engine, for the unit tests that start one step of
// a routine from a chosen state rather than from a whole batch.
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/engine.h"

namespace orvanta {

struct EngineProbe {
  static void SetValue(Engine& engine, uint32_t value) { engine.randomValue_ = value; }
  static void SetDivisors(Engine& engine, int32_t length, int32_t quantity) {
    engine.lengthDivisor_ = length;
    engine.quantityDivisor_ = quantity;
  }
  // An empty Output buffer waiting for `countdown` copies of `password`.
  static void AwaitPasswords(Engine& engine, std::string_view password, int32_t countdown) {
    engine.output_.clear();
    engine.password_ = password;
    engine.batchCountdown_ = countdown;
  }
  static bool FinishPassword(Engine& engine) { return engine.FinishPassword(); }
};

}  // namespace orvanta
