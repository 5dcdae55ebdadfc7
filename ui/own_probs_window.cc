#include "ui/own_probs_window.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <vector>

#include "analysis/chances.h"
#include "support/format.h"
#include "support/platform.h"
#include "support/text.h"
#include "support/text_file.h"

namespace zelvo {
namespace {

// Two decimals without trailing zeros: "45", "33.33", "2.1"; below 1, four
// decimals, and below a thousandth every digit, so that a small figure never
// shows as the 0 the window refuses ("0.109", "0.00002").
std::string Decimal(double value) {
  if (value > 0 && value < 0.001) return ExactDecimalText(value);
  char buf[32];
  std::snprintf(buf, sizeof buf, value < 1 ? "%.4f" : "%.2f", value);
  std::string s = buf;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  return s;
}

// Figures typed with the input method on come as full-width characters.
std::string Narrow(const std::string& text) {
  static const char* const kWide[] = {"０", "１", "２", "３", "４", "５", "６", "７",
                                      "８", "９", "．", "％", "，", "　", "－"};
  static const char* const kNarrow[] = {"0", "1", "2", "3", "4", "5", "6", "7",
                                        "8", "9", ".", "%", ",", " ", "-"};
  std::string s = text;
  for (size_t i = 0; i < std::size(kWide); ++i) s = ReplaceAll(s, kWide[i], kNarrow[i]);
  return s;
}

// A spreadsheet row: tabs between cells, or commas or blanks when typed.
std::vector<std::string> Cells(const std::string& line) {
  std::string s = ReplaceAll(ReplaceAll(Narrow(line), "\t", " "), ",", " ");
  std::vector<std::string> cells;
  for (const std::string& part : Split(s, " ")) {
    if (!part.empty()) cells.push_back(part);
  }
  return cells;
}

}  // namespace

frmOwnProbs::frmOwnProbs() : form_({"％", "オッズ"}) {
  form_.on_change = [this] {
    SwitchForm();
    Changed();
  };
  Validate();
}

void frmOwnProbs::Setup(const OwnProbabilities& own, const Teams& teams) {
  teams_ = teams;
  form_.SetIndex(kPercent);
  shown_form_ = kPercent;
  for (int f = 0; f < kFields; ++f) {
    fields_[f] = own.set ? Decimal(own.p[MatchOf(f)][kFieldOutcomes[f % 3]] * 100) : "";
  }
  original_ = own;
  opened_fields_ = fields_;
  model_ref_ = own.source.model ? own : OwnProbabilities{};
  model_fields_ = fields_;
  model_text_ = own.source.model ? SourceText(own.source) : "";
  edited_ = false;
  result_ = false;
  result_probs_ = {};
  Validate();
  Changed();
}

void frmOwnProbs::SetFieldText(int field, const std::string& text) {
  if (field < 0 || field >= kFields || fields_[field] == text) return;
  fields_[field] = text;
  edited_ = true;
  Validate();
  Changed();
}

std::string frmOwnProbs::Paste(int field, const std::string& text) {
  const int first = field >= 0 && field < kFields ? MatchOf(field) : 0;
  std::vector<std::vector<std::string>> rows;
  for (const std::string& line : Split(ReplaceAll(text, "\r", ""), "\n")) {
    std::vector<std::string> cells = Cells(line);
    if (cells.empty()) continue;
    // A lone value is an ordinary paste into the field itself.
    if (rows.empty() && cells.size() == 1 && field >= 0 && field < kFields &&
        Trim(Narrow(text)).find_first_of("\n\t, ") == std::string::npos) {
      SetFieldText(field, cells[0]);
      return "";
    }
    if (cells.size() != 3) {
      return "1行に3つの値（1, 0, 2）が必要です: " + Trim(line);
    }
    rows.push_back(std::move(cells));
  }
  if (rows.empty()) return "貼り付ける値がありません。";
  if (first + static_cast<int>(rows.size()) > kMatches) {
    return "試合の数より行が多すぎます（" + std::to_string(rows.size()) + "行）。";
  }
  for (size_t r = 0; r < rows.size(); ++r) {
    for (int c = 0; c < 3; ++c) fields_[FieldOf(first + static_cast<int>(r), c)] = rows[r][c];
  }
  edited_ = true;
  Validate();
  Changed();
  return "";
}

bool frmOwnProbs::LoadFile() {
  FileDialogRequest request;
  request.title = CurrentForm() == kOdds ? "オッズのファイルを開く" : "確率のファイルを開く";
  request.filter = "CSVファイル(*.csv)";
  request.default_ext = "csv";
  const std::string path = platform().OpenFileDialog(request);
  if (path.empty()) return false;
  std::string text;
  if (!ReadTextFile(path, text, false)) {
    platform().MessageBox(
        "ファイルを読み込めませんでした。\r\n" + path + "\r\n" + UnreadableFileReason(path), kTitle,
        MsgIcon::kWarning);
    return false;
  }
  // Read as `probs --set` reads it; the values go into the fields as the
  // file writes them, so that every digit reaches the document.
  std::string rows;
  int count = 0;
  for (const ProbabilityLine& line : ProbabilityLines(text)) {
    rows += Join(ProbabilityFields(line.text), "\t") + "\n";
    ++count;
  }
  const std::string refused =
      count == kMatches ? Paste(0, rows) : std::to_string(count) + "行あります（5行が必要です）。";
  if (!refused.empty()) {
    platform().MessageBox(
        "確率のファイルではありません（1試合1行、ホーム,引分,アウェイ の5行）。\r\n" + path +
            "\r\n" + refused,
        kTitle, MsgIcon::kWarning);
    return false;
  }
  return true;
}

std::string frmOwnProbs::SourceText(const OwnProbabilitySource& source) const {
  std::string matches;
  for (int m = 0; m < kMatches; ++m) {
    if (source.matches[m]) matches += (matches.empty() ? "" : "・") + std::to_string(m + 1);
  }
  return "モデルの確率：" + source.fit_date.Format("yyyy/mm/dd") + "より前の" +
         FormatNumber(static_cast<int64_t>(source.history_matches), "#,##0") + "試合から推定（第" +
         matches + "試合）";
}

bool frmOwnProbs::ShowsModel(int match) const {
  for (int c = 0; c < 3; ++c) {
    if (fields_[FieldOf(match, c)] != model_fields_[FieldOf(match, c)]) return false;
  }
  return model_ref_.source.model && model_ref_.source.matches[match];
}

bool frmOwnProbs::FromModel() {
  if (!model_prediction) return false;
  const RoundPrediction p = model_prediction();
  if (!p.ok || p.PredictedCount() == 0) {
    model_text_ = p.ok ? "モデルが知っているクラブの試合がありません。"
                       : "モデルの確率を出せません：" + p.error;
    Changed();
    return false;
  }
  OwnProbabilities ref;
  ref.set = true;
  std::string left;
  for (int m = 0; m < kMatches; ++m) {
    if (!p.predicted[m]) {
      left += "第" + std::to_string(m + 1) + "試合（" + p.unknown[m] + "）";
      continue;
    }
    ref.p[m] = p.matches[m].p;
    for (int c = 0; c < 3; ++c) {
      const double v = ref.p[m][kFieldOutcomes[c]];
      fields_[FieldOf(m, c)] = CurrentForm() == kOdds ? Decimal(1 / v) : Decimal(v * 100);
    }
  }
  int y, mo, d;
  CivilFromDay(p.fit_day, y, mo, d);
  ref.source = {true, DateTime::Date(y, mo, d), p.history_matches, p.predicted};
  model_ref_ = ref;
  model_fields_ = fields_;
  model_text_ = SourceText(ref.source);
  if (!left.empty()) {
    model_text_ += "\n" + left + "は過去の試合結果にないクラブのため、確率を入力してください。";
  }
  edited_ = true;
  Validate();
  Changed();
  return true;
}

void frmOwnProbs::Clear() {
  for (std::string& f : fields_) f.clear();
  edited_ = true;
  Validate();
  Changed();
}

void frmOwnProbs::SwitchForm() {
  const int form = form_.Index();
  if (form == shown_form_) return;
  // Only what reads is converted; a match half typed stays as typed.  A
  // match showing the model's figures shows them in the other form.
  for (int m = 0; m < kMatches; ++m) {
    if (!valid_[m]) continue;
    const bool model = ShowsModel(m);
    for (int c = 0; c < 3; ++c) {
      const double p = (model ? model_ref_.p : parsed_)[m][kFieldOutcomes[c]];
      fields_[FieldOf(m, c)] = form == kOdds ? Decimal(1 / p) : Decimal(p * 100);
      if (model) model_fields_[FieldOf(m, c)] = fields_[FieldOf(m, c)];
    }
  }
  shown_form_ = form;
  edited_ = true;
  Validate();
}

void frmOwnProbs::Validate() {
  const ProbabilityForm form =
      CurrentForm() == kOdds ? ProbabilityForm::kOdds : ProbabilityForm::kPercent;
  for (int m = 0; m < kMatches; ++m) {
    std::string line;
    bool bad_char = false;
    for (int c = 0; c < 3; ++c) {
      const std::string t = Narrow(fields_[FieldOf(m, c)]);
      if (t.find_first_of(",\n") != std::string::npos) bad_char = true;
      line += (c ? "," : "") + Trim(t);
    }
    // The match is read by the same rules as a probability file, so that
    // the window and `probs --set` accept the same figures.
    std::string text;
    for (int i = 0; i < kMatches; ++i) text += line + "\n";
    ProbabilityParse parse = ParseProbabilities(text, form);
    valid_[m] = parse.ok && !bad_char;
    errors_[m] = valid_[m] ? "" : ErrorText(m);
    if (valid_[m]) parsed_[m] = parse.p[0];
  }
}

std::string frmOwnProbs::ErrorText(int match) const {
  const bool odds = CurrentForm() == kOdds;
  double sum = 0;
  for (int c = 0; c < 3; ++c) {
    std::string t = Trim(Narrow(fields_[FieldOf(match, c)]));
    if (t.empty()) return "未入力の欄があります";
    if (!odds && t.back() == '%') t.pop_back();
    char* end = nullptr;
    const double v = std::strtod(t.c_str(), &end);
    if (t.empty() || end != t.c_str() + t.size() || !std::isfinite(v)) {
      return "数値ではありません";
    }
    if (odds && v < 1) return "オッズは1以上です";
    if (v <= 0) return "0以下の値があります";
    sum += v;
  }
  if (!odds) return "合計が" + Decimal(sum) + "です";
  return "読み取れません";
}

bool frmOwnProbs::AllEmpty() const {
  return std::all_of(fields_.begin(), fields_.end(),
                     [](const std::string& f) { return Trim(f).empty(); });
}

bool frmOwnProbs::OkEnabled() const {
  return AllEmpty() || std::all_of(valid_.begin(), valid_.end(), [](bool v) { return v; });
}

bool frmOwnProbs::Ok() {
  if (!OkEnabled()) return false;
  if (!edited_) {
    // Shown rounded: an OK without an edit keeps the figures as they were.
    result_probs_ = original_;
  } else if (AllEmpty()) {
    result_probs_ = OwnProbabilities{};
  } else {
    result_probs_ = OwnProbabilities{};
    result_probs_.set = true;
    result_probs_.p = parsed_;
    for (int m = 0; m < kMatches && original_.set && shown_form_ == kPercent; ++m) {
      bool as_shown = true;
      for (int c = 0; c < 3; ++c) {
        as_shown = as_shown && fields_[FieldOf(m, c)] == opened_fields_[FieldOf(m, c)];
      }
      if (as_shown) result_probs_.p[m] = original_.p[m];
    }
    // The model's mark stays while its matches show its figures as it put
    // them (rounded for the fields); any change there makes them the user's.
    bool unchanged = model_ref_.source.model;
    for (int m = 0; m < kMatches && unchanged; ++m) {
      if (model_ref_.source.matches[m] && !ShowsModel(m)) unchanged = false;
    }
    if (unchanged) {
      for (int m = 0; m < kMatches; ++m) {
        if (model_ref_.source.matches[m]) result_probs_.p[m] = model_ref_.p[m];
      }
      result_probs_.source = model_ref_.source;
    }
  }
  result_ = true;
  return true;
}

}  // namespace zelvo
