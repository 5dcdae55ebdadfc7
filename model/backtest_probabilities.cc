#include "model/backtest_probabilities.h"

#include "model/history_sources.h"
#include "model/round_model.h"

namespace zelvo {

RoundProbabilitySource ModelProbabilitiesPerRound(const clsTotoData& toto,
                                                  std::shared_ptr<int> rounds_predicted,
                                                  std::vector<std::string>* history_refused) {
  std::shared_ptr<const LoadedHistory> history = LoadHistory(toto);
  if (history_refused) *history_refused = history->summary.refused;
  return [history, &toto, rounds_predicted](const ArchivedRound& r) {
    // The round's clubs and dates only: its result is not looked at.
    const RoundPrediction p = PredictRound(MatchesOf(r.schedule), *history, toto);
    if (!p.ok || p.PredictedCount() == 0) return OwnProbabilities{};
    if (rounds_predicted) ++*rounds_predicted;
    return OwnProbabilitiesFromModel(p, OwnProbabilities{}, r.vote);
  };
}

}  // namespace zelvo
