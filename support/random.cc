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

// Constant-initialised, so it holds a valid state before any dynamic
// initialiser runs.
State g_state = {
    {0x9E3779B97F4A7C15ULL, 0xBF58476D1CE4E5B9ULL, 0x94D049BB133111EBULL, 0x2545F4914F6CDD1DULL}};

namespace {
[[maybe_unused]] const bool g_seeded_from_clock = [] {
  Fill(g_state,
       static_cast<uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
  return true;
}();
}  // namespace

}  // namespace random_detail

void SeedRandom(uint64_t seed) { random_detail::Fill(random_detail::GlobalState(), seed); }

}  // namespace zelvo
