#include <string>

#include "support/text_file.h"
#include "ui/print/qt_printer.h"

namespace zelvo {

QtPdfPrinter::QtPdfPrinter(const std::string& path) : path_(path) {}

QtPdfPrinter::~QtPdfPrinter() {
  if (painting()) Finish();
}

bool QtPdfPrinter::Finish() {
  std::string bytes;
  if (!TakeDocument(bytes)) return false;
  // Written beside the target and renamed over it only when complete: a
  // failed print never leaves a broken file in place of an earlier one.
  return WriteFileBytes(path_, bytes, false);
}

}  // namespace zelvo
