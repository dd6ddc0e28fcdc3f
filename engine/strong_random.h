// Strong batches: the characters of each key set and case, and the source of
// random bytes they are drawn from (Engine::GenerateStrong).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orvanta {

// Independent, uniformly distributed bytes, such as those of the system's
// cryptographic random generator. Fill returns false when it cannot deliver.
class ByteSource {
 public:
  virtual bool Fill(unsigned char* bytes, std::size_t count) = 0;

 protected:
  ~ByteSource() = default;
};

// A plain function as a ByteSource, so that the platform's source needs no
// engine header.
class FunctionByteSource final : public ByteSource {
 public:
  using Function = bool (*)(unsigned char* bytes, std::size_t count);
  explicit FunctionByteSource(Function function) : function_(function) {}
  bool Fill(unsigned char* bytes, std::size_t count) override { return function_(bytes, count); }

 private:
  Function function_;
};

// The characters a strong password of this key set and case may use: those
// of the Simple-mode routine the dispatch picks for it, each once, in the
// order of their first place in its window (10, 26, 52, 36, 62, 51 or 77).
std::string_view StrongAlphabet(int32_t keySet, int32_t caseOption);

}  // namespace orvanta
