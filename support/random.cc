#include "support/random.h"

#include <chrono>

namespace zelvo {
namespace random_detail {
namespace {

uint64_t SplitMix(uint64_t& x) {
  uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

void Fill(State& st, uint64_t seed) {
  for (auto& word : st.s) word = SplitMix(seed);
}

}  // namespace

State& GlobalState() {
  static State state = [] {
    State st;
    Fill(st, static_cast<uint64_t>(
                 std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    return st;
  }();
  return state;
}

}  // namespace random_detail

void SeedRandom(uint64_t seed) { random_detail::Fill(random_detail::GlobalState(), seed); }

}  // namespace zelvo
