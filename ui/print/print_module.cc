#include "ui/print/print_module.h"

#include "ui/print/qt_printer.h"

namespace zelvo {
namespace {

Printer* NewPdfDocument() { return new QtPdfDocument(); }
Printer* NewSystemPrinter() { return new QtSystemPrinter(); }

bool TakePdf(Printer* document, std::string* bytes, int* pages) {
  auto* pdf = static_cast<QtPdfDocument*>(document);
  if (!pdf->TakeDocument(*bytes)) return false;
  *pages = pdf->pages();
  return true;
}

void Destroy(Printer* printer) { delete printer; }

const PrintModuleApi kApi = {kPrintModuleVersion, NewPdfDocument, NewSystemPrinter, TakePdf,
                             Destroy};

}  // namespace
}  // namespace zelvo

extern "C" __attribute__((visibility("default"))) const zelvo::PrintModuleApi*
zelvo_print_module() {
  return &zelvo::kApi;
}
