// The process-wide uniform random source, seeded once from the clock.  The
// engines draw millions of numbers per second from it, so it is inline.
#ifndef ZELVOMINI_SUPPORT_RANDOM_H_
#define ZELVOMINI_SUPPORT_RANDOM_H_

#include <cstdint>

namespace zelvo {

namespace random_detail {
struct State {
  uint64_t s[4];
};
// The generator's state, read inline by every draw (a call per draw shows in
// the engines' trial rate).  It starts from a fixed constant and is reseeded
// from the clock during start-up, so a draw made earlier is still valid.
extern State g_state;
inline State& GlobalState() { return g_state; }

inline uint64_t Rotl(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

// xoshiro256+: fast, and its high bits are all a uniform double needs.
inline uint64_t Next() {
  State& st = GlobalState();
  uint64_t* s = st.s;
  const uint64_t result = s[0] + s[3];
  const uint64_t t = s[1] << 17;
  s[2] ^= s[0];
  s[3] ^= s[1];
  s[1] ^= s[2];
  s[0] ^= s[3];
  s[2] ^= t;
  s[3] = Rotl(s[3], 45);
  return result;
}
}  // namespace random_detail

// Uniform in [0, 1).
inline double RandomUniform() {
  return static_cast<double>(random_detail::Next() >> 11) * 0x1.0p-53;
}
// Uniform in [0, 1) in single precision.
inline float RandomSingle() {
  return static_cast<float>(random_detail::Next() >> 40) * 0x1.0p-24f;
}
// Uniform integer 0 .. n-1 as floor(u * n) of a uniform u.
inline int RandomIndex(int n) { return static_cast<int>(RandomUniform() * n); }

// Reseeds the generator (tests, the --seed option of the command line).
void SeedRandom(uint64_t seed);

}  // namespace zelvo

#endif  // ZELVOMINI_SUPPORT_RANDOM_H_
