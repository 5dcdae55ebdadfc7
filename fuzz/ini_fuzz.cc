// The INI reader and the three settings files read with it.  Every entry
// kept has a trimmed name and value, both non-empty, and is what a look-up
// by its name finds first; settings read from any file are written and read
// back unchanged.
#include "files/ini_file.h"
#include "files/main_ini.h"
#include "files/printer_ini.h"
#include "files/toto_settings.h"
#include "fuzz/fuzz_support.h"
#include "support/paths.h"
#include "support/text.h"
#include "support/text_file.h"

using namespace zelvo;

namespace {

template <typename Settings, typename Read, typename Text>
void SettingsRoundTrip(const char* file, Read read, Text text) {
  const Settings first = read();
  fuzz::Require(WriteTextFile(SysDataPath(file), text(first), false), "settings not written");
  const Settings again = read();
  // Text that is no CP932 comes back as "?" once; from then on it stays.
  fuzz::Require(WriteTextFile(SysDataPath(file), text(again), false), "settings not written");
  fuzz::Require(read() == again, "settings changed when written and read again");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Setup();
  const std::string_view bytes = fuzz::AsText(data, size);
  std::string path = fuzz::WriteInput("SysData/any.ini", bytes);
  clsIniFile ini;
  ini.Initialize(path);
  fuzz::Require(ini.Enabled(), "a readable file was not enabled");
  for (const auto& [name, value] : ini.Entries()) {
    fuzz::Require(!name.empty() && !value.empty(), "an entry with an empty side");
    fuzz::Require(Trim(name) == name && Trim(value) == value, "an untrimmed entry");
    fuzz::Require(ini.ItemExists(name), "an entry its own name does not find");
    fuzz::Require(ini.KeyExists(value), "an entry its own value does not find");
  }
  for (const char* file : {"totoSettings.ini", "Zelvo mini.ini", "Printer.ini"}) {
    fuzz::WriteInput(std::string("SysData/") + file, bytes);
  }
  SettingsRoundTrip<TotoSettings>(
      "totoSettings.ini",
      [] {
        SetDefaultTotoSettings();
        ReadTotoSettings();
        return totoSettings();
      },
      TotoSettingsText);
  SettingsRoundTrip<MainWindowSettings>("Zelvo mini.ini", LoadMainIni, MainIniText);
  SettingsRoundTrip<PrinterSettings>("Printer.ini", ReadPrinterIni, PrinterIniText);
  fuzz::TakeMessageCount();
  return 0;
}
