#include "reduction/reduction_run.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "core/multi_pattern.h"
#include "support/error_report.h"
#include "support/format.h"
#include "support/platform.h"
#include "support/text.h"
#include "support/version.h"

namespace zelvo {
namespace {

constexpr const char* kClassX = "clsTX";
constexpr const char* kClassX1 = "clsTX1";

void Increment(uint16_t& counter) {
  if (counter < std::numeric_limits<uint16_t>::max()) ++counter;
}

clsTDeme::Kind DemeKind(ConditionTable kind) {
  switch (kind) {
    case ConditionTable::kHonmei:
      return clsTDeme::Kind::kHonmei;
    case ConditionTable::kNinki:
      return clsTDeme::Kind::kNinki;
    case ConditionTable::kMark:
      break;
  }
  return clsTDeme::Kind::kMark;
}

// True when every entry is a single number 0 to 242.  A number is out of
// range exactly when it or 242 minus it is negative, which the compiler
// checks sixteen entries at a time.
bool AllSingles(const int* list, int count) {
  int bits = 0;
  int i = 0;
  for (; i + 16 <= count; i += 16) {
    for (int k = 0; k < 16; ++k) bits |= list[i + k] | (kSingles - 1 - list[i + k]);
  }
  for (; i < count; ++i) bits |= list[i] | (kSingles - 1 - list[i]);
  return bits >= 0;
}

// Rows that a pass can address: a damaged entry may say more rows than it
// holds.
int RowCount(const ConditionEntry& entry) {
  return std::max(0, std::min<int>(entry.N, static_cast<int>(entry.cells.size())));
}

}  // namespace

std::vector<ReductionPass> ActivePasses(const ReductionConditions& conditions) {
  std::vector<ReductionPass> passes;
  static const char* const kMoneyLabels[] = {"１等当せん金", "２等当せん金", "３等当せん金"};
  const auto& haitou = conditions.Haitou;
  for (int g = 0; g < 3; ++g) {
    if (!haitou.Enabled[g] || !haitou.Flag[g]) continue;
    ReductionPass pass;
    pass.label = kMoneyLabels[g];
    pass.money_grade = g;
    passes.push_back(std::move(pass));
  }
  if (conditions.Value.Enabled) {
    ReductionPass pass;
    pass.label = conditions.Value.Kind == kValueRatio ? "確率比" : "期待値";
    pass.value = true;
    passes.push_back(std::move(pass));
  }
  const auto& groups = ConditionGroupLabels();
  const std::pair<ConditionTable, const char*> kTables[] = {{ConditionTable::kHonmei, "本命"},
                                                            {ConditionTable::kNinki, "人気"},
                                                            {ConditionTable::kMark, "勝敗"}};
  for (const auto& [kind, table_label] : kTables) {
    const auto& entries = conditions.Table(kind);
    for (int group = 0; group < kConditionGroups; ++group) {
      const ConditionEntry& entry = entries[group];
      if (!entry.A || !entry.B) continue;
      for (int row = 0; row < RowCount(entry); ++row) {
        const auto& cells = entry.cells[row];
        // A row that allows every count keeps every single: no pass.
        if (std::all_of(cells.begin(), cells.end(),
                        [](uint8_t c) { return c == kCellAllowed; })) {
          continue;
        }
        ReductionPass pass;
        pass.label.reserve(48);
        pass.label += table_label;
        pass.label += '/';
        pass.label += groups[group];
        pass.label += '/';
        if (row < static_cast<int>(entry.captions.size())) pass.label += entry.captions[row];
        pass.table = kind;
        pass.group = group;
        pass.row = row;
        passes.push_back(std::move(pass));
      }
    }
  }
  return passes;
}

// ---- clsTX1 ----

void clsTX1::ApplyPass(const ReductionPass& pass, const ReductionConditions& conditions,
                       int& count, std::vector<int>& singles, bool machigai,
                       MachigaiCounts& errors, MachigaiCounts& tolerated) {
  if (pass.value) {
    ValueSakugen(count, singles, conditions.Value, machigai, errors);
  } else if (pass.money_grade >= 0) {
    const auto& haitou = conditions.Haitou;
    MoneySakugen(count, singles, pass.money_grade, haitou.Min[pass.money_grade],
                 haitou.Max[pass.money_grade], machigai, errors);
  } else {
    JoukenSakugen(pass.table, count, singles, pass.row, conditions.Table(pass.table)[pass.group],
                  machigai, errors, tolerated);
  }
}

void clsTX1::SetValue(const MultiTable& multi) {
  multi_ = multi;
  base_ = clsTDeme();
  base_.SetMulti(multi_);
  base_.SetVoteRecord(vote_);
}

bool clsTX1::SetVote(const VoteStatusRecord& vote) {
  vote_ = vote;
  bool ok = money_.SetVote(vote_);
  if (ok) value_.SetVote(vote_);
  // A fresh object: ranks of an earlier round must not outlive its record.
  base_ = clsTDeme();
  base_.SetMulti(multi_);
  base_.SetVoteRecord(vote_);
  return ok;
}

void clsTX1::GetMulti(int& count, std::vector<int>& singles) const {
  clsTMultiPattern pattern;
  pattern.SetValue(multi_);
  pattern.GetMulti(count, singles);
  if (count == 0) singles.clear();
}

template <class Verdict>
void clsTX1::RunPass(int& count_ref, std::vector<int>& singles, bool machigai,
                     MachigaiCounts& errors, MachigaiCounts* tolerated, Verdict verdict) {
  // A local copy: the list's stores could otherwise alias the caller's count.
  const int count = count_ref;
  if (count > static_cast<int>(singles.size())) throw RuntimeError(kErrSubscript);
  if (machigai && (static_cast<int>(errors.size()) < count ||
                   (tolerated && static_cast<int>(tolerated->size()) < count))) {
    throw RuntimeError(kErrSubscript);
  }
  int* list = singles.data();
  if (!AllSingles(list, count)) throw RuntimeError(kErrSubscript);
  uint16_t* error_count = errors.data();
  uint16_t* tolerated_count = tolerated ? tolerated->data() : nullptr;

  if (ProgressBegin) ProgressBegin();
  // A progress point after every (step + 1) singles, where a cancel stops
  // the pass.
  const int block = (count - 1) / 100 + 1;
  int left = block;
  int value = 0;
  int kept = 0;
  int i = 0;
  auto point = [&] {
    if (--left != 0) return true;
    if (cancel_) return false;
    left = block;
    ++value;
    if (Progress) Progress(value);
    return true;
  };
  if (machigai) {
    while (i < count) {
      int v = verdict(list[i]);
      if (v != 0) {
        Increment(error_count[i]);
        if (v == 2 && tolerated_count) Increment(tolerated_count[i]);
      }
      ++i;
      if (!point()) break;
    }
  } else {
    while (i < count) {
      // A branch, not a select: verdicts come in runs (a row's count follows
      // the single number's digits), and a predicted branch keeps the store
      // off the critical path.
      int single = list[i++];
      if (verdict(single) == 0) list[kept++] = single;
      if (!point()) break;
    }
  }
  if (!machigai) {
    // A cancelled pass drops nothing it has not tested.
    for (; i < count; ++i) list[kept++] = list[i];
    singles.resize(kept);
    count_ref = kept;
  }
  if (ProgressEnd) ProgressEnd();
}

void clsTX1::MoneySakugen(int& count, std::vector<int>& singles, int grade, Money min, Money max,
                          bool machigai, MachigaiCounts& errors) {
  try {
    if (min < Money() || count == 0) return;
    if (max == Money::FromInt(kHaitouNoLimit)) max = Money::FromInt(kHaitouNoLimitRun);
    const auto& digits = SingleDigits();
    RunPass(count, singles, machigai, errors, nullptr, [&](int single) {
      std::array<int, 5> kousei;
      for (int m = 0; m < kMatches; ++m) kousei[m] = digits[single][m];
      Money estimate = money_.GetMoney(grade, kousei);
      return (estimate < min || estimate > max) ? 1 : 0;
    });
  } catch (const std::exception& e) {
    ReportException(kClassX1, "MoneySakugen", e);
  }
}

void clsTX1::ValueSakugen(int& count, std::vector<int>& singles, const ValueConditions& value,
                          bool machigai, MachigaiCounts& errors) {
  try {
    if (count == 0 || !value_.HasOwn()) return;
    const bool ratio = value.Kind == kValueRatio;
    const double max = value.Max > 0 ? value.Max : std::numeric_limits<double>::infinity();
    RunPass(count, singles, machigai, errors, nullptr, [&](int single) {
      const SingleValue& v = value_.Of(single);
      double figure = ratio ? v.ratio : v.expected_per_100;
      return (figure < value.Min || figure > max) ? 1 : 0;
    });
  } catch (const std::exception& e) {
    ReportException(kClassX1, "ValueSakugen", e);
  }
}

clsTDeme clsTX1::RowDeme(const ConditionEntry& entry, int row) const {
  clsTDeme deme = base_;
  deme.SetGameFlg(entry.target_matches);
  deme.SetMarkFlg(entry.target_outcomes);
  if (row >= 0 && row < static_cast<int>(entry.row_items.size())) {
    deme.SetPlusFlg(entry.row_items[row]);
  }
  return deme;
}

void clsTX1::JoukenSakugen(ConditionTable kind, int& count, std::vector<int>& singles, int row,
                           const ConditionEntry& entry, bool machigai, MachigaiCounts& errors,
                           MachigaiCounts& tolerated) {
  try {
    if (count <= 0 || cancel_) return;
    if (row < 0 || row >= RowCount(entry)) throw RuntimeError(kErrSubscript);
    // Verdict by count: any state but allowed fails (a damaged "？" cell
    // too); only the tolerated state makes it a △ error.
    std::array<uint8_t, 6> by_count;
    for (int c = 0; c < 6; ++c) {
      uint8_t state = entry.cells[row][c];
      by_count[c] = state == kCellAllowed ? 0 : (state == kCellTolerated ? 2 : 1);
    }
    // ... and by single number (lo + 27 x hi), so that the pass looks up
    // each single once: the 27 singles of one hi share its count, so each
    // block of 27 is one of (at most) three rows.
    std::array<uint8_t, 27> low;
    std::array<uint8_t, 9> high;
    RowDeme(entry, row).CountParts(DemeKind(kind), low, high);
    uint8_t rows[3][27];
    for (int h = 0; h < 3; ++h) {
      for (int lo = 0; lo < 27; ++lo) rows[h][lo] = by_count[std::min(5, low[lo] + h)];
    }
    std::array<uint8_t, kSingles> by_single;
    for (int hi = 0; hi < 9; ++hi) std::memcpy(&by_single[27 * hi], rows[high[hi]], 27);
    const uint8_t* verdict = by_single.data();
    RunPass(count, singles, machigai, errors, &tolerated,
            [verdict](int single) { return verdict[single]; });
  } catch (const std::exception& e) {
    ReportException(kClassX1, "JoukenSakugen", e);
  }
}

void clsTX1::KouseiBunseki(ConditionTable kind, std::array<int, 6>& histogram,
                           const ConditionEntry& entry, int row) const {
  try {
    histogram.fill(0);
    int count = 0;
    std::vector<int> singles;
    GetMulti(count, singles);
    std::array<uint8_t, kSingles> counts;
    RowDeme(entry, row).CountAll(DemeKind(kind), counts);
    for (int i = 0; i < count; ++i) ++histogram[counts[singles[i]]];
  } catch (const std::exception& e) {
    ReportException(kClassX1, "KouseiBunseki", e);
  }
}

// ---- clsTX ----

clsTX::clsTX() {
  x1_.ProgressBegin = [this] {
    msg_.Max(100);
    msg_.Value(0);
  };
  x1_.Progress = [this](int value) {
    msg_.Value(value);
    // Lets the window repaint and a click on the stop button arrive.
    platform().Yield();
  };
  x1_.ProgressEnd = [this] { msg_.Value(0); };
}

void clsTX::Initialize(RunLogList* log, Grid* count_grid, Grid* meisai_grid) {
  msg_.Initialize(log);
  count_.Initialize(count_grid, 60, 21);
  meisai_.Initialize(meisai_grid, 90, 90, 21);
  CountMeisaiClear();
}

bool clsTX::SetVote(const VoteStatusRecord& vote) { return x1_.SetVote(vote); }

void clsTX::Cancel() {
  cancel_ = true;
  x1_.Cancel(true);
}

void clsTX::Execute(const ReductionConditions& conditions, const MultiTable& multi, int& count,
                    std::vector<int>& singles) {
  if (running_) {
    // Re-entered through the message loop: the run in progress owns the log
    // and the passes.
    count = 0;
    singles.clear();
    return;
  }
  running_ = true;
  cancel_ = false;
  x1_.Cancel(false);
  try {
    msg_.Cls();
    msg_.Msg("Zelvo mini", false, false);
    msg_.Msg("  Version ", false, false);
    msg_.Msg(ProgramVersionText(), true, false);
    msg_.Sp();

    x1_.SetValue(multi);
    int n = 0;
    std::vector<int> list;
    x1_.GetMulti(n, list);
    msg_.Msg("マルチ総数：" + FormatNumber(static_cast<int64_t>(n), "#,##0"), true, false);

    const bool machigai = n >= 1 && conditions.MachigaiType >= 1;
    MachigaiCounts errors, tolerated;
    if (machigai) {
      errors.assign(n, 0);
      tolerated.assign(n, 0);
    }

    bool first_pass = true;
    auto begin_pass = [&](const std::string& label) {
      if (first_pass) {
        msg_.Sp();
        first_pass = false;
      }
      msg_.CompMsg(label, n, 0, false);
      return n;
    };
    auto stopped = [&] { return cancel_ || n == 0; };

    for (const ReductionPass& pass : ActivePasses(conditions)) {
      if (stopped()) break;
      int pre = begin_pass(pass.label);
      x1_.ApplyPass(pass, conditions, n, list, machigai, errors, tolerated);
      msg_.CompMsg(pass.label, pre, n, true);
      if (pass.value && !x1_.Value().HasOwn()) {
        msg_.Msg("自分の確率が未設定のため、" + pass.label + "の条件は適用されません", true, false);
      }
    }

    if (machigai && !cancel_) PostPass(conditions, n, list, errors, tolerated);

    if (cancel_) {
      msg_.Msg("実行がキャンセルされました", true, false);
      count = 0;
      singles.clear();
    } else {
      count = n;
      singles = std::move(list);
    }
  } catch (const std::exception& e) {
    count = 0;
    singles.clear();
    ReportException(kClassX, "実行", e);
  }
  running_ = false;
}

void clsTX::PostPass(const ReductionConditions& conditions, int& count, std::vector<int>& singles,
                     const MachigaiCounts& errors, const MachigaiCounts& tolerated) {
  const bool tolerated_only = conditions.MachigaiType == 2;
  std::array<int, kMachigaiBuckets> distribution{};
  const int before = count;
  int kept = 0;
  for (int i = 0; i < count; ++i) {
    int bucket = errors[i] <= 10 ? errors[i] : 11;
    bool all_tolerated = errors[i] == tolerated[i];
    if (!tolerated_only || all_tolerated) ++distribution[bucket];
    if (conditions.MachigaiList[bucket] && (!tolerated_only || all_tolerated)) {
      singles[kept++] = singles[i];
    }
  }
  singles.resize(kept);
  count = kept;

  msg_.Sp();
  for (int b = 0; b < kMachigaiBuckets; ++b) {
    std::string bucket = b <= 10 ? (std::to_string(b) + "  ").substr(0, 2) : "→";
    msg_.Msg("条件間違い分布 " + bucket + " : " +
                 PadLeftColumns(FormatNumber(static_cast<int64_t>(distribution[b]), "#,##0"), 10),
             true, true);
  }
  msg_.Sp();
  msg_.CompMsg("条件間違い補正", before, 0, false);
  msg_.CompMsg("条件間違い補正", before, count, true);
}

void clsTX::EndMsg(int count) {
  msg_.Sp();
  if (count == 0) {
    msg_.Msg("該当するパターンは存在しません", true, false);
  } else {
    msg_.Msg(
        "該当するパターンは " + FormatNumber(static_cast<int64_t>(count), "#,##0") + " 存在します",
        true, false);
  }
}

void clsTX::CountMeisaiClear() {
  count_.Clear();
  meisai_.Clear();
}

void clsTX::SetSingleFrame(const FrameTable& value, const MultiFlags& visible) {
  count_.SetVisible(visible);
  count_.SetValue(value);
}

void clsTX::SinglePercent(bool percent) { count_.SetPercent(percent); }

void clsTX::SetMeisai(const MultiTable& multi, int count, const std::array<int, 6>& tousen) {
  if (count <= 0) return;
  meisai_.SetValue(multi);
  meisai_.SetSingleCount(count);
  meisai_.SetTousen(tousen);
}

void clsTX::KouseiBunseki(ConditionTable kind, const MultiTable& multi, const ConditionEntry& entry,
                          int row, std::array<int, 6>& histogram) {
  // On a copy: a run in progress keeps the multi it was started with.
  clsTX1 passes = x1_;
  passes.SetValue(multi);
  passes.KouseiBunseki(kind, histogram, entry, row);
}

}  // namespace zelvo
