#include "model/backtest_probabilities.h"

#include "model/history_sources.h"
#include "model/round_model.h"

namespace zelvo {

RoundProbabilitySource ModelProbabilitiesPerRound(const clsTotoData& toto,
                                                  std::shared_ptr<int> rounds_predicted) {
  std::shared_ptr<const LoadedHistory> history = LoadHistory(toto);
  return [history, &toto, rounds_predicted](const ArchivedRound& r) {
    // The round's clubs and dates only: its result is not looked at.
    const RoundPrediction p = PredictRound(MatchesOf(r.schedule), *history, toto);
    if (!p.ok || p.PredictedCount() == 0) return OwnProbabilities{};
    if (rounds_predicted) ++*rounds_predicted;
    return OwnProbabilitiesFromModel(p, OwnProbabilities{}, r.vote);
  };
}

}  // namespace zelvo
