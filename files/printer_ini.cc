#include "files/printer_ini.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "files/ini_file.h"
#include "support/file_lock.h"
#include "support/paths.h"
#include "support/text.h"
#include "support/text_file.h"
#include "support/version.h"

namespace zelvo {
namespace {

constexpr const char* kFileName = "Printer.ini";

// A4's shorter side.
constexpr double kMaxShiftMm = 210;

const char* BoolText(bool b) { return b ? "True" : "False"; }

}  // namespace

PrinterSettings ReadPrinterIni() {
  PrinterSettings s;
  clsIniFile ini;
  ini.Initialize(SysDataPath(kFileName));
  if (!ini.Enabled()) return s;
  std::string name = ini.GetItem("PrinterName", "0");
  s.PrinterName = name == "0" ? "" : name;
  int orientation = 0;
  if (ConvertToLong(ini.GetItem("PrinterOrientation", "0"), orientation) &&
      (orientation == 1 || orientation == 2))
    s.PrinterOrientation = orientation;
  for (auto [key, field] : {std::pair{"PrinterLeftMargin", &PrinterSettings::PrinterLeftMargin},
                            std::pair{"PrinterTopMargin", &PrinterSettings::PrinterTopMargin}}) {
    std::string v = ini.GetItem(key, "0");
    if (!IsNumeric(v)) continue;
    double mm = std::strtod(Trim(v).c_str(), nullptr);
    // A shift is a small correction of where the printer puts the sheet; a
    // damaged value would put every mark off the paper, so it is held to
    // the sheet's own size.
    if (std::isnan(mm)) continue;
    s.*field = std::clamp(mm, -kMaxShiftMm, kMaxShiftMm);
  }
  for (auto [key, field] : {std::pair{"PrinterOpenNo", &PrinterSettings::PrinterOpenNo},
                            std::pair{"PrinterOpenText", &PrinterSettings::PrinterOpenText},
                            std::pair{"PrinterPageText", &PrinterSettings::PrinterPageText},
                            std::pair{"PrinterFileText", &PrinterSettings::PrinterFileText},
                            std::pair{"PrinterSendDataA", &PrinterSettings::PrinterSendDataA}}) {
    bool v = false;
    if (ConvertToBool(ini.GetItem(key, "0"), v)) s.*field = v;
  }
  return s;
}

std::string PrinterIniText(const PrinterSettings& s) {
  std::string t;
  auto line = [&t](const std::string& text) { t += text + "\r\n"; };
  line(";Pendralcove Printer Ini File (Printer.ini)");
  line(";" + CopyrightNotice());
  line("");
  line(";[Printer]");
  line("PrinterName = " + s.PrinterName);
  line("PrinterOrientation = " + std::to_string(s.PrinterOrientation));
  line("PrinterLeftMargin = " + DoubleToText(s.PrinterLeftMargin));
  line("PrinterTopMargin = " + DoubleToText(s.PrinterTopMargin));
  line(std::string("PrinterOpenNo = ") + BoolText(s.PrinterOpenNo));
  line(std::string("PrinterOpenText = ") + BoolText(s.PrinterOpenText));
  line(std::string("PrinterPageText = ") + BoolText(s.PrinterPageText));
  line(std::string("PrinterFileText = ") + BoolText(s.PrinterFileText));
  line(std::string("PrinterSendDataA = ") + BoolText(s.PrinterSendDataA));
  return t;
}

bool WritePrinterIni(const PrinterSettings& s) {
  SysDataLock lock;
  return lock.Locked() && WriteTextFile(SysDataPath(kFileName), PrinterIniText(s));
}

}  // namespace zelvo
