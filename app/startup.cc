#include "app/startup.h"

#include <string>

#include "core/toto_data.h"
#include "core/toto_rules.h"
#include "files/toto_settings.h"
#include "support/error_report.h"
#include "support/paths.h"
#include "support/platform.h"

namespace zelvo {
namespace {

bool Fail(const std::string& message) {
  platform().MessageBox(message, kAppTitle, MsgIcon::kCritical, MsgButtons::kOk);
  return false;
}

}  // namespace

bool RunStartupChecks() {
  std::string sys_data = ResolveProgramPath("SysData");
  if (!DirExists(sys_data)) return Fail("システムデータフォルダ(SysData)が見つかりません");
  for (const char* file : {"TeamName.dat", "TeamName1.dat", "TeamName2.dat", "J1J2.dat"}) {
    if (!FileExists(JoinPath(sys_data, file))) {
      return Fail(std::string("データファイル(") + file + ")が見つかりません");
    }
  }
  {
    // The tables are needed only to prove they load; every user makes its own.
    clsTotoData toto_data;
    toto_data.CheckVersion();
  }
  LoadTotoSettings();
  (void)totoRules();
  return true;
}

}  // namespace zelvo
