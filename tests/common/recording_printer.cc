#include "tests/common/recording_printer.h"

#include <algorithm>

namespace zelvo::testing {

bool RecordingPrinter::SelectPrinter(const std::string& name) {
  calls.push_back("SelectPrinter " + name);
  if (std::find(installed.begin(), installed.end(), name) == installed.end()) return false;
  selected = name;
  return true;
}

bool RecordingPrinter::SetScaleMillimetres() {
  calls.push_back("SetScaleMillimetres");
  return !fail_scale;
}

bool RecordingPrinter::SetPaperA4() {
  calls.push_back("SetPaperA4");
  return !fail_paper;
}

bool RecordingPrinter::SetOrientation(int orientation) {
  calls.push_back("SetOrientation " + std::to_string(orientation));
  if (fail_orientation) return false;
  if (!ignore_orientation) orientation_ = orientation;
  return true;
}

void RecordingPrinter::Touch() {
  job_open_ = true;
  page_drawn_ = true;
}

void RecordingPrinter::DrawRect(double x, double y, double width, double height, bool filled) {
  Touch();
  rects.push_back({x, y, width, height, filled, page_, jobs_ended + 1});
}

double RecordingPrinter::TextHeight(const std::string&, double points) {
  return points * 25.4 / 72 * 1.2;
}

void RecordingPrinter::DrawText(double x, double top, const std::string& text,
                                const std::string& font, double points) {
  Touch();
  texts.push_back({x, top, text, font, points, page_, jobs_ended + 1});
}

bool RecordingPrinter::NewPage() {
  calls.push_back("NewPage");
  ++page_;
  page_drawn_ = false;
  return true;
}

bool RecordingPrinter::EndJob() {
  calls.push_back("EndJob");
  job_pages.push_back(page_drawn_ ? page_ : page_ - 1);
  ++jobs_ended;
  page_ = 1;
  page_drawn_ = false;
  job_open_ = false;
  return true;
}

void RecordingPrinter::AbortJob() {
  calls.push_back("AbortJob");
  ++aborted;
  page_ = 1;
  page_drawn_ = false;
  job_open_ = false;
}

}  // namespace zelvo::testing
