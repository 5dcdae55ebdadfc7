#include "reduction/run_log.h"

#include <cstdio>

#include "support/format.h"
#include "support/platform.h"
#include "support/text.h"

namespace zelvo {

uint32_t& RunLogStopwatchStart() {
  static uint32_t start = 0;
  return start;
}

std::string RunLogList::Text() const {
  std::string out;
  for (const std::string& line : lines_) out += line + "\r\n";
  return out;
}

void RunLogList::Clear() {
  lines_.clear();
  if (on_changed) on_changed();
}

void RunLogList::Append(const std::string& text) {
  if (lines_.empty()) lines_.emplace_back();
  lines_.back() += text;
  if (on_changed) on_changed();
}

void RunLogList::NewLine() {
  if (lines_.empty()) lines_.emplace_back();
  if (on_line) on_line(lines_.back());
  lines_.emplace_back();
  if (on_changed) on_changed();
}

void RunLogList::SetProgressValue(int v) {
  progress_value_ = v;
  if (on_progress) on_progress(progress_value_, progress_max_);
}

void RunLogList::SetProgressMax(int v) {
  progress_max_ = v;
  if (on_progress) on_progress(progress_value_, progress_max_);
}

void RunLogList::SetLines(std::vector<std::string> lines) {
  lines_ = std::move(lines);
  if (on_changed) on_changed();
}

void clsTMsg::Cls() {
  RunLogStopwatchStart() = platform().TickCount();
  if (list_) list_->Clear();
}

std::string clsTMsg::TimeStamp() {
  uint32_t elapsed = platform().TickCount() - RunLogStopwatchStart();
  // Whole seconds, halves rounded up, as the "0000" format of elapsed / 1000
  // gives them; in integers because every condition line asks for one.
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04u ", static_cast<unsigned>((elapsed + 500ull) / 1000));
  return buf;
}

std::string clsTMsg::PercentText(int pre_count, int count) {
  if (pre_count < 1) return "100.00";
  if (count < 0 || pre_count > 100000000) {
    return FormatNumber(RoundDecimal(static_cast<double>(count) / pre_count * 100.0, 4), "##0.00");
  }
  // count / pre_count x 100 rounded to four decimals, then shown with two,
  // both halves up, in integers because every condition line asks for it.
  // Up to the bound above a quotient that is not exactly on a rounding
  // boundary stays further from it than a double's error, so this gives
  // what the two roundings of the double give.
  int64_t q = (static_cast<int64_t>(count) * 2000000 / pre_count + 1) / 2;  // 1e-4 %
  int64_t h = (q + 50) / 100;                                               // 1e-2 %
  char buf[32];
  std::snprintf(buf, sizeof buf, "%lld.%02lld", static_cast<long long>(h / 100),
                static_cast<long long>(h % 100));
  return buf;
}

void clsTMsg::Msg(const std::string& text, bool cr, bool time) {
  if (!list_) return;
  list_->Append((time ? TimeStamp() : std::string()) + text);
  if (cr) list_->NewLine();
}

void clsTMsg::Sp() { Msg(Separator(), true, false); }

void clsTMsg::CompMsg(const std::string& label, int pre_count, int count, bool kakutei) {
  if (!kakutei) {
    Msg(PadCutColumns(label, 22) + ":" + PadLeftColumns(std::to_string(pre_count), 7) + " → ",
        false, true);
    return;
  }
  Msg(PadLeftColumns(std::to_string(count), 7) + " (" +
          PadLeftColumns(PercentText(pre_count, count), 6) + "%)",
      true, false);
}

void clsTMsg::Value(int v) {
  if (list_) list_->SetProgressValue(v);
}

void clsTMsg::Max(int v) {
  if (list_) list_->SetProgressMax(v);
}

}  // namespace zelvo
