// Made-up past rounds: plausible schedules, final vote statuses and results
// for trying the archive and the backtest without the official site.  They
// are invented, not history.
#ifndef ZELVOMINI_BENCH_MADE_UP_ROUNDS_H_
#define ZELVOMINI_BENCH_MADE_UP_ROUNDS_H_

#include <cstdint>
#include <string>

#include "official/round_archive.h"

namespace zelvo {

// One round and group from `seed`: clubs of the 2024 first division, a
// public that over-backs favourites, results drawn from hidden "true" odds,
// winners and prize from half the sales (carried over when nobody won).
ArchivedRound MakeUpRound(int round, const std::string& group, uint64_t seed);

}  // namespace zelvo

#endif  // ZELVOMINI_BENCH_MADE_UP_ROUNDS_H_
