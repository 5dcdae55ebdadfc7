#include "files/ini_file.h"

#include <gtest/gtest.h>

#include "support/text.h"
#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

clsIniFile FromText(const std::string& text) {
  clsIniFile ini;
  ini.InitializeFromText(text);
  return ini;
}

TEST(IniSyntaxTest, CommentsEmptyValuesAndSplitting) {
  clsIniFile ini =
      FromText(testing::CrLf({"  ;comment = 1", "//x = 2", "a=b=c", "  name  =  v w ",
                              "empty =", "[Printer]", "= novalue", "", "x = 1", "X = 2"}));
  EXPECT_FALSE(ini.ItemExists(";comment"));
  EXPECT_FALSE(ini.ItemExists("//x"));
  EXPECT_EQ(ini.GetItem("a", "?"), "b=c");
  EXPECT_EQ(ini.GetItem("name", "?"), "v w");
  EXPECT_FALSE(ini.ItemExists("empty"));
  EXPECT_EQ(ini.GetItem("empty", "dflt"), "dflt");
  EXPECT_FALSE(ini.ItemExists("[Printer]"));
  EXPECT_EQ(ini.GetItem("x", "?"), "1");  // first match, case-insensitive
  EXPECT_EQ(ini.GetKey("1"), "x");
  EXPECT_TRUE(ini.KeyExists("2"));
  EXPECT_EQ(ini.Count(), 4);
}

TEST(IniSyntaxTest, EmptyArgumentsMatchNothing) {
  clsIniFile ini = FromText("a = b\r\n");
  EXPECT_FALSE(ini.ItemExists(""));
  EXPECT_EQ(ini.GetItem("", "d"), "d");
  EXPECT_FALSE(ini.KeyExists(""));
  EXPECT_EQ(ini.GetKey(""), "");
}

TEST(IniSyntaxTest, LfOnlyFileIsOneLine) {
  clsIniFile ini = FromText("a = 1\nb = 2\n");
  EXPECT_EQ(ini.Count(), 1);
  EXPECT_EQ(ini.GetItem("a", ""), "1\nb = 2\n");
}

TEST(IniFileTest, NotEnabledReportsInitializeErr) {
  testing::TempProgramDir dir;
  testing::FakePlatform fake;
  clsIniFile ini;
  ini.Initialize("SysData\\missing.ini");
  EXPECT_FALSE(ini.Enabled());
  EXPECT_TRUE(fake.messages().empty());  // a missing file is silent
  EXPECT_FALSE(ini.ItemExists("a"));
  EXPECT_EQ(ini.GetItem("a", "default"), "");
  EXPECT_FALSE(ini.KeyExists("a"));
  EXPECT_EQ(ini.GetKey("a"), "");
  ASSERT_EQ(fake.messages().size(), 4u);
  EXPECT_EQ(fake.messages()[0].text, "Initialize Err");
  EXPECT_EQ(fake.messages()[0].title, "Zelvo mini / clsIniFile / ItemExists");
  EXPECT_EQ(fake.messages()[1].title, "Zelvo mini / clsIniFile / GetItem");
  EXPECT_EQ(fake.messages()[2].title, "Zelvo mini / clsIniFile / KeyExists");
  EXPECT_EQ(fake.messages()[3].title, "Zelvo mini / clsIniFile / GetKey");
}

TEST(IniFileTest, ReadsCp932FromTheProgramFolder) {
  testing::TempProgramDir dir;
  dir.WriteCp932("SysData/t.ini", testing::CrLf({"FC東京 = ＦＣ東京", "波 = a～b"}));
  clsIniFile ini;
  ini.Initialize("SysData\\t.ini");
  ASSERT_TRUE(ini.Enabled());
  EXPECT_EQ(ini.GetKey("ＦＣ東京"), "FC東京");
  EXPECT_EQ(ini.GetItem("波", ""), "a～b");
}

TEST(IniFileTest, DamagedFilesParseWithoutCrashing) {
  testing::TempProgramDir dir;
  testing::FakePlatform fake;
  std::string junk;
  for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 131 + 7) % 256);
  std::string cases[] = {
      junk,
      "key = value without line end",
      "a = " + std::string(10 * 1024 * 1024, 'x') + "\r\nb = 2\r\n",
      "bad = \x82\r\nok = \xff\xfe\r\n",
      std::string("a = 1\r\n\0b = 2\r\n", 15),
  };
  for (const std::string& bytes : cases) {
    dir.WriteBytes("SysData/d.ini", bytes);
    clsIniFile ini;
    ini.Initialize("SysData\\d.ini");
    EXPECT_TRUE(ini.Enabled());
  }
  clsIniFile ini;
  dir.WriteBytes("SysData/d.ini", "bad = \x82\r\nok = a\xff\r\n");
  ini.Initialize("SysData\\d.ini");
  EXPECT_EQ(ini.GetItem("ok", ""), "a\uFFFD");
  dir.WriteBytes("SysData/d.ini", std::string("a = 1\r\n\0b = 2\r\n", 15));
  ini.Initialize("SysData\\d.ini");
  EXPECT_FALSE(ini.ItemExists("b"));  // the text ends at the NUL
  EXPECT_TRUE(fake.messages().empty());
}

}  // namespace
}  // namespace zelvo
