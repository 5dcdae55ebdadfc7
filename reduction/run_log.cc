#include "reduction/run_log.h"

#include <charconv>
#include <cstdint>

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

void RunLogList::Append(std::string_view text) {
  if (lines_.empty()) lines_.emplace_back();
  lines_.back() += text;
  if (on_changed) on_changed();
}

void RunLogList::NewLine() {
  if (lines_.empty()) lines_.emplace_back();
  if (on_line) on_line(lines_.back());
  lines_.emplace_back();
  // Room for a condition line, so that its two halves do not reallocate.
  lines_.back().reserve(80);
  if (on_changed) on_changed();
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

namespace {

// Appends the decimal digits of a non-negative value, right-aligned in
// `width` columns with blanks or zeros.
void AppendNumber(std::string& out, uint64_t value, int width, char fill) {
  char digits[24];
  auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  int n = static_cast<int>(end - digits);
  if (n < width) out.append(width - n, fill);
  out.append(digits, n);
}

void AppendCount(std::string& out, int value, int width) {
  if (value >= 0) {
    AppendNumber(out, static_cast<uint64_t>(value), width, ' ');
  } else {
    out += PadLeftColumns(std::to_string(value), width);
  }
}

void AppendTimeStamp(std::string& out) {
  uint32_t elapsed = platform().TickCount() - RunLogStopwatchStart();
  // Whole seconds, halves rounded up, as the "0000" format of elapsed / 1000
  // gives them.
  AppendNumber(out, (elapsed + 500ull) / 1000, 4, '0');
  out += ' ';
}

}  // namespace

std::string clsTMsg::TimeStamp() {
  std::string out;
  AppendTimeStamp(out);
  return out;
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
  std::string out;
  AppendNumber(out, static_cast<uint64_t>(h / 100), 1, '0');
  out += '.';
  AppendNumber(out, static_cast<uint64_t>(h % 100), 2, '0');
  return out;
}

void clsTMsg::Msg(std::string_view text, bool cr, bool time) {
  if (!list_) return;
  if (time) {
    std::string piece;
    piece.reserve(5 + text.size());
    AppendTimeStamp(piece);
    piece += text;
    list_->Append(piece);
  } else {
    list_->Append(text);
  }
  if (cr) list_->NewLine();
}

void clsTMsg::Sp() { Msg(Separator(), true, false); }

void clsTMsg::CompMsg(std::string_view label, int pre_count, int count, bool kakutei) {
  if (!list_) return;
  std::string piece;
  if (!kakutei) {
    // The stamp, then the label field: written as one piece.
    piece.reserve(5 + 66 + 1 + 7 + 5);
    AppendTimeStamp(piece);
    piece += PadCutColumns(label, 22);
    piece += ':';
    AppendCount(piece, pre_count, 7);
    piece += " → ";
    list_->Append(piece);
    return;
  }
  piece.reserve(32);
  AppendCount(piece, count, 7);
  piece += " (";
  std::string percent = PercentText(pre_count, count);
  if (percent.size() < 6) piece.append(6 - percent.size(), ' ');
  piece += percent;
  piece += "%)";
  list_->Append(piece);
  list_->NewLine();
}

void clsTMsg::Max(int v) {
  if (list_) list_->SetProgressMax(v);
}

}  // namespace zelvo
