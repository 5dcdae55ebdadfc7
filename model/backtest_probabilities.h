// The goal model as the own probabilities of a replayed round: each round is
// priced by a fit on the matches before its first match day, so that a value
// strategy is backtested without looking ahead.
#ifndef ZELVOMINI_MODEL_BACKTEST_PROBABILITIES_H_
#define ZELVOMINI_MODEL_BACKTEST_PROBABILITIES_H_

#include <memory>
#include <string>
#include <vector>

#include "analysis/backtest.h"
#include "core/toto_data.h"

namespace zelvo {

// A strategy's own probabilities are its own round's and never stand in for
// another round's matches: a match the model cannot price takes the round's
// public vote rates, a round it knows nothing of has none.  `toto` must
// outlive the source; `rounds_predicted` (when given) counts the rounds the
// model priced, and `history_refused` (when given) gets the history files it
// fits without, each "PATH: line N: why".
RoundProbabilitySource ModelProbabilitiesPerRound(
    const clsTotoData& toto, std::shared_ptr<int> rounds_predicted = {},
    std::vector<std::string>* history_refused = nullptr);

}  // namespace zelvo

#endif  // ZELVOMINI_MODEL_BACKTEST_PROBABILITIES_H_
