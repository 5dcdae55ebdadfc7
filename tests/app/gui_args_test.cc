// The desktop program's command line.
#include "app/gui_args.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zelvo {
namespace {

using Files = std::vector<std::string>;

TEST(GuiArgsTest, FilesBecomeAbsoluteFromTheStartingFolder) {
  GuiArgs a = ParseGuiArgs({"a.tpd", "../b/c.tpj", "/abs/d.csv", "./e f.tpd"}, "/home/u/docs");
  EXPECT_TRUE(a.error.empty());
  EXPECT_EQ(a.files,
            (Files{"/home/u/docs/a.tpd", "/home/u/b/c.tpj", "/abs/d.csv", "/home/u/docs/e f.tpd"}));
  // Desktops that pass addresses: percent escapes decoded, other hosts refused.
  GuiArgs uri = ParseGuiArgs({"file:///tmp/x%20y%E3%81%82.tpd", "file://localhost/z.csv"}, "/");
  EXPECT_EQ(uri.files, (Files{"/tmp/x yあ.tpd", "/z.csv"}));
  EXPECT_FALSE(ParseGuiArgs({"file://other/x.tpd"}, "/").error.empty());
  EXPECT_FALSE(ParseGuiArgs({"file:///x%00.tpd"}, "/").error.empty());
}

TEST(GuiArgsTest, OptionsAndTheEndOfOptions) {
  GuiArgs a = ParseGuiArgs({"--version", "x.tpd", "--", "--help", "-"}, "/w");
  EXPECT_TRUE(a.version);
  EXPECT_FALSE(a.help);
  EXPECT_EQ(a.files, (Files{"/w/x.tpd", "/w/--help", "/w/-"}));
  EXPECT_TRUE(ParseGuiArgs({"-h"}, "/").help);
  GuiArgs bad = ParseGuiArgs({"--open", "x.tpd"}, "/");
  EXPECT_EQ(bad.error, "unknown option '--open'");

  std::ostringstream out;
  PrintVersion(out, "zelvomini");
  EXPECT_EQ(out.str().rfind("zelvomini (Zelvo mini) 1.", 0), 0u) << out.str();
}

}  // namespace
}  // namespace zelvo
