// The scripts' pseudo-random numbers: one generator for the run, the linear congruence the
// titles were written against, so that a seeded run repeats its numbers exactly.
#pragma once

#include <cstdint>

namespace zd::script {

class RandomGenerator {
 public:
  static constexpr int32_t kMax = 32767;

  void Seed(uint32_t seed) { state_ = seed; }
  // 0 to 32767: bits 16 to 30 of the state after one step.
  int32_t Next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int32_t>((state_ >> 16) & 0x7FFF);
  }

 private:
  uint32_t state_ = 1;
};

}  // namespace zd::script
