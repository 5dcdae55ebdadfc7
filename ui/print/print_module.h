// The print backend as a module the command line loads when it prints: Qt
// and the dozens of libraries it brings then cost only the commands that
// print.  This header is the whole contract between them and has no Qt.
#ifndef ZELVOMINI_UI_PRINT_PRINT_MODULE_H_
#define ZELVOMINI_UI_PRINT_PRINT_MODULE_H_

#include <string>

#include "output/printer.h"

namespace zelvo {

// Changes whenever the structure below does, so that a module of another
// build is refused instead of called wrongly.
inline constexpr int kPrintModuleVersion = 1;

struct PrintModuleApi {
  int version;
  // A PDF document built in memory, and the printers of the system; each
  // ends with destroy.
  Printer* (*new_pdf_document)();
  Printer* (*new_system_printer)();
  // Completes a PDF document: its bytes and page count; false when nothing
  // was printed.
  bool (*take_pdf)(Printer* document, std::string* bytes, int* pages);
  void (*destroy)(Printer* printer);
};

}  // namespace zelvo

// The module's one entry point.
extern "C" const zelvo::PrintModuleApi* zelvo_print_module();

#endif  // ZELVOMINI_UI_PRINT_PRINT_MODULE_H_
