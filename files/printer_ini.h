// Printer.ini: the mark-sheet printer settings.
#ifndef ZELVOMINI_FILES_PRINTER_INI_H_
#define ZELVOMINI_FILES_PRINTER_INI_H_

#include <string>

namespace zelvo {

struct PrinterSettings {
  std::string PrinterName;
  int PrinterOrientation = 1;  // 1 portrait, 2 landscape
  double PrinterLeftMargin = 0;
  double PrinterTopMargin = 0;
  bool PrinterOpenNo = false;
  bool PrinterOpenText = false;
  bool PrinterPageText = false;
  bool PrinterFileText = false;
  bool PrinterSendDataA = false;

  bool operator==(const PrinterSettings&) const = default;
};

// Every key read with the default "0" (off, or zero); a value that does not
// convert keeps the field's default.  The shifts are held to ±210 mm.
PrinterSettings ReadPrinterIni();
bool WritePrinterIni(const PrinterSettings& settings);
std::string PrinterIniText(const PrinterSettings& settings);

}  // namespace zelvo

#endif  // ZELVOMINI_FILES_PRINTER_INI_H_
