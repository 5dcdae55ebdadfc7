#include "engines/ms_engine.h"

#include <algorithm>
#include <exception>

#include "reduction/probability.h"
#include "support/error_report.h"
#include "support/random.h"

namespace zelvo {

void clsTMsEngine::Initialize(RunLogList* list) {
  list_ = list;
  msg_.Initialize(list);
}

void clsTMsEngine::Compress(int& count, std::vector<int>& singles, const EngineSettings& settings,
                            const MultiTable& multi, std::array<int, 6>& MsTousen) {
  run_ = true;
  try {
    count = std::clamp(count, 0, static_cast<int>(singles.size()));
    const int kept_count = count;
    const std::vector<int> reduced(singles.begin(), singles.begin() + count);

    switch (settings.MsEngine) {
      case 1:
      case 3:
        engine1_ = std::make_unique<clsTMsEngine1>();
        engine1_->Initialize(list_);
        running_kind_ = 1;
        engine1_->EngineStart(count, singles, settings.MsEngine == 1 ? 2 : 3);
        count = engine1_->SingleCount();
        singles = engine1_->SingleData();
        running_kind_ = 0;
        engine1_.reset();
        break;
      case 2:
      case 4:
        engine2_ = std::make_unique<clsTMsEngine2>();
        engine2_->Initialize(list_);
        running_kind_ = 2;
        engine2_->EngineStart(count, singles, settings.MsEngine == 2 ? 2 : 3, settings, multi);
        count = engine2_->SingleCount();
        singles = engine2_->SingleData();
        running_kind_ = 0;
        engine2_.reset();
        break;
      case 5:
        engine3_ = std::make_unique<clsTMsEngine3>();
        engine3_->Initialize(list_);
        running_kind_ = 3;
        engine3_->EngineStart(count, singles, settings);
        count = engine3_->SingleCount();
        singles = engine3_->SingleData();
        running_kind_ = 0;
        engine3_.reset();
        break;
      default:
        break;
    }

    // The payout-based kinds are never offered; a document that still
    // carries one gets the random draw rather than an emptied selection.
    if (settings.ChushutsuFlag) {
      if (settings.ChushutsuOrder >= 1 && settings.ChushutsuOrder <= 2 && value_ &&
          value_->HasOwn()) {
        ExtractBest(count, singles, settings.ChushutsuCount, settings.ChushutsuOrder);
      } else {
        Extract(count, singles, settings.ChushutsuCount);
      }
    }

    MsTousen.fill(0);
    if ((settings.MsEngine != 0 || settings.ChushutsuFlag) && kept_count >= 1 && count >= 1) {
      clsTProbability().GetTousen(reduced, std::span<const int>(singles.data(), count), MsTousen);
    }
  } catch (const std::exception& e) {
    ReportEngineError("MsEngine Err", e);
    EngineStop();
    running_kind_ = 0;
    engine1_.reset();
    engine2_.reset();
    engine3_.reset();
  }
  run_ = false;
}

void clsTMsEngine::Extract(int& count, std::vector<int>& singles, int extract_count) {
  const int n = count;
  const int c = std::max(extract_count, 0);
  if (c >= n) return;
  std::vector<int> pool(singles.begin(), singles.begin() + n);
  int r = n;
  count = 0;
  singles.assign(c, 0);
  msg_.Sp();
  msg_.CompMsg("抽出", n, 0, false);
  for (int i = 0; i < c; ++i) {
    const int x = RandomIndex(r);
    singles[i] = pool[x];
    ++count;
    pool[x] = pool[r - 1];
    --r;
  }
  msg_.CompMsg("抽出", n, count, true);
}

void clsTMsEngine::ExtractBest(int& count, std::vector<int>& singles, int extract_count,
                               int order) {
  const int n = count;
  const int c = std::max(extract_count, 0);
  if (c >= n) return;
  std::vector<int> pool(singles.begin(), singles.begin() + n);
  auto figure = [this, order](int s) {
    const SingleValue& v = value_->Of(s);
    return order == 1 ? v.expected_per_100 : v.probability;
  };
  // Highest first, equal figures by ascending number: the same singles
  // every time.
  std::partial_sort(pool.begin(), pool.begin() + c, pool.end(), [&](int a, int b) {
    double fa = figure(a), fb = figure(b);
    return fa != fb ? fa > fb : a < b;
  });
  pool.resize(c);
  std::sort(pool.begin(), pool.end());
  const std::string label = kExtractionOrders[order];
  msg_.Sp();
  msg_.CompMsg(label, n, 0, false);
  singles = std::move(pool);
  count = c;
  msg_.CompMsg(label, n, count, true);
}

void clsTMsEngine::EnginePause(bool blnValue) {
  if (running_kind_ == 2 && engine2_) engine2_->EnginePause(blnValue);
  if (running_kind_ == 3 && engine3_) engine3_->EnginePause(blnValue);
}

void clsTMsEngine::EngineStop() {
  if (running_kind_ == 1 && engine1_) engine1_->EngineStop();
  if (running_kind_ == 2 && engine2_) engine2_->EngineStop();
  if (running_kind_ == 3 && engine3_) engine3_->EngineStop();
}

}  // namespace zelvo
