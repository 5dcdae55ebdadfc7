// The run log: the list of lines under the condition panels and its progress
// bar.  The reduction run and every engine hold their own clsTMsg, all bound
// to one RunLogList, so one search writes one continuous report.
#ifndef ZELVOMINI_REDUCTION_RUN_LOG_H_
#define ZELVOMINI_REDUCTION_RUN_LOG_H_

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvo {

// The list box and progress bar model the window draws (and a command line
// prints as it grows).
class RunLogList {
 public:
  const std::vector<std::string>& Lines() const { return lines_; }
  // The lines joined with CR LF, each ended, as the document stores them.
  std::string Text() const;
  int ProgressValue() const { return progress_value_; }
  int ProgressMax() const { return progress_max_; }

  void Clear();
  void Append(std::string_view text);
  void NewLine();
  // Inline: a pass sets the value about a hundred times.
  void SetProgressValue(int v) {
    progress_value_ = v;
    if (on_progress) on_progress(progress_value_, progress_max_);
  }
  void SetProgressMax(int v);
  // Replaces the lines (a loaded document's message).
  void SetLines(std::vector<std::string> lines);

  // Redraw request after every change.
  std::function<void()> on_changed;
  // A line was finished (the command line prints it).
  std::function<void(const std::string&)> on_line;
  // Progress value or maximum changed.
  std::function<void(int value, int max)> on_progress;

 private:
  std::vector<std::string> lines_;
  int progress_value_ = 0;
  int progress_max_ = 100;
};

class clsTMsg {
 public:
  void Initialize(RunLogList* list) { list_ = list; }
  RunLogList* List() const { return list_; }

  // Removes all lines and restarts the stopwatch shared by every log.
  void Cls();
  // Appends to the last line: the time stamp (when `time`), then the text;
  // then opens a new empty line (when `cr`).
  void Msg(std::string_view text, bool cr, bool time);
  // A separator of 55 "-".
  void Sp();
  // One half of a condition line: before the work (kakutei false) the label
  // cut to 22 columns, ":", the count before in 7 columns and " → "; after it
  // the count in 7 columns, " (", the share kept in 6 columns, "%)".
  void CompMsg(std::string_view label, int pre_count, int count, bool kakutei);
  void Value(int v) {
    if (list_) list_->SetProgressValue(v);
  }
  void Max(int v);

  // "0003 ": whole seconds since the last Cls, four digits and a blank.
  static std::string TimeStamp();
  // The share kept, "##0.00" of count / pre_count x 100 after rounding it to
  // four decimals; "100.00" when nothing came before.
  static std::string PercentText(int pre_count, int count);
  // The separator line's text.
  static const std::string& Separator() {
    static const std::string separator(55, '-');
    return separator;
  }

 private:
  RunLogList* list_ = nullptr;
};

// The tick of the last Cls of any log.
uint32_t& RunLogStopwatchStart();

}  // namespace zelvo

#endif  // ZELVOMINI_REDUCTION_RUN_LOG_H_
