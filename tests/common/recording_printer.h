// A Printer that records every call, with scripted failures, for the print
// layout's tests.
#ifndef ZELVOMINI_TESTS_COMMON_RECORDING_PRINTER_H_
#define ZELVOMINI_TESTS_COMMON_RECORDING_PRINTER_H_

#include <string>
#include <vector>

#include "output/printer.h"

namespace zelvo::testing {

struct RecordedRect {
  double x, y, width, height;
  bool filled;
  int page;  // page within the job, from 1
  int job;   // from 1
  // The centre, as the layout computes marks.
  double cx() const { return x + width / 2; }
  double cy() const { return y + height / 2; }
};

struct RecordedText {
  double x, top;
  std::string text, font;
  double points;
  int page;
  int job;
};

class RecordingPrinter : public Printer {
 public:
  std::vector<std::string> PrinterNames() override { return installed; }
  bool SelectPrinter(const std::string& name) override;
  bool SetScaleMillimetres() override;
  bool SetPaperA4() override;
  bool SetOrientation(int orientation) override;
  int Orientation() const override { return orientation_; }
  void DrawRect(double x, double y, double width, double height, bool filled) override;
  // One point is 25.4 / 72 mm; a line is 1.2 times the size.
  double TextHeight(const std::string& font, double points) override;
  double TextWidth(const std::string& text, const std::string&, double points) override {
    return EstimatedTextWidth(text, points);
  }
  void DrawText(double x, double top, const std::string& text, const std::string& font,
                double points) override;
  bool NewPage() override;
  bool EndJob() override;
  void AbortJob() override;

  // Every call in order, as "SetScaleMillimetres", "NewPage", ...
  std::vector<std::string> calls;
  std::vector<RecordedRect> rects;
  std::vector<RecordedText> texts;
  std::vector<std::string> installed = {"Office", "PDF"};
  std::string selected;
  int jobs_ended = 0;
  int aborted = 0;
  // Pages of each ended job.
  std::vector<int> job_pages;

  // Scripted failures.
  bool fail_scale = false;
  bool fail_paper = false;
  bool fail_orientation = false;
  bool ignore_orientation = false;  // accepts the call but keeps portrait

 private:
  void Touch();
  int orientation_ = kPrintPortrait;
  int page_ = 1;
  bool page_drawn_ = false;
  bool job_open_ = false;
};

}  // namespace zelvo::testing

#endif  // ZELVOMINI_TESTS_COMMON_RECORDING_PRINTER_H_
