// The command line run over string streams in a test's own program folder
// with a minimal SysData, as the command tests share it.
#ifndef ZELVOMINI_TESTS_APP_CLI_FIXTURE_H_
#define ZELVOMINI_TESTS_APP_CLI_FIXTURE_H_

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/cli.h"
#include "support/paths.h"
#include "tests/common/temp_dir.h"

namespace zelvo::testing {

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override { dir_.MakeMinimalSysData(); }
  // Runs the command with nothing on standard input; out_ and err_ hold
  // what this run printed.
  int Run(const std::vector<std::string>& args) {
    out_.str("");
    err_.str("");
    std::istringstream in;
    return RunCli(args, in, out_, err_);
  }
  std::string Path(const std::string& name) const { return JoinPath(dir_.path(), name); }
  std::string Write(const std::string& name, const std::string& bytes) {
    dir_.WriteBytes(name, bytes);
    return Path(name);
  }

  TempProgramDir dir_;
  std::ostringstream out_, err_;
};

}  // namespace zelvo::testing

#endif  // ZELVOMINI_TESTS_APP_CLI_FIXTURE_H_
