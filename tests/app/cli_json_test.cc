// --json of every command that reports: one JSON document whose figures are
// the text form's, on a copy of the shipped data (its cached rounds and the
// sample documents).
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <regex>
#include <string>
#include <vector>

#include "analysis/minimum.h"
#include "app/cli_table.h"
#include "support/text.h"
#include "tests/app/cli_fixture.h"

namespace zelvo {
namespace {

class CliJsonTest : public testing::CliTest {
 protected:
  void SetUp() override {
    const std::filesystem::path shipped = ZELVO_PROGRAM_DIR_FOR_TESTS;
    std::filesystem::copy(shipped / "SysData", Path("SysData"),
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
    std::filesystem::copy_file(shipped / "UserData/Zelvomini/sample-guarantee.tpd", Path("s.tpd"));
  }
  // The command's text and its JSON document.
  void RunBoth(std::vector<std::string> args) {
    ASSERT_EQ(Run(args), 0) << err_.str();
    text_ = out_.str();
    args.push_back("--json");
    ASSERT_EQ(Run(args), 0) << err_.str();
    json_ = nlohmann::json::parse(out_.str());  // throws, failing the test, unless one document
  }
  // The number the text shows after `label` ("Stake: 1,800 yen" -> 1800).
  double TextNumber(const std::string& label) const {
    std::smatch m;
    const std::string pattern = std::regex_replace(label, std::regex(R"([()*+?.|\[\]])"), R"(\$&)");
    EXPECT_TRUE(std::regex_search(text_, m, std::regex(pattern + R"( *([-0-9,.]+))"))) << label;
    return m.empty() ? -1 : std::stod(ReplaceAll(m[1].str(), ",", ""));
  }

  std::string text_;
  nlohmann::json json_;
};

TEST_F(CliJsonTest, EveryReportingCommandGivesTheFiguresOfItsText) {
  RunBoth({"status"});
  EXPECT_EQ(json_["tables"]["TeamName.dat"].get<double>(), TextNumber("TeamName.dat"));
  EXPECT_EQ(json_["mode"], "portable");

  RunBoth({"info", Path("s.tpd")});
  EXPECT_EQ(json_["singles"].get<double>(), TextNumber("Singles:"));
  EXPECT_EQ(json_["round"].get<double>(), TextNumber("Round:"));
  EXPECT_EQ(json_["engine"]["number"].get<double>(), TextNumber("Engine:"));
  EXPECT_EQ(json_["multi"].size(), 5u);

  RunBoth({"show", "1487", "A"});
  EXPECT_EQ(json_["vote"]["sales"]["total"].get<double>(), TextNumber("Sales"));
  EXPECT_EQ(json_["result"]["prize"].get<double>(), TextNumber("Prize"));
  EXPECT_EQ(json_["schedule"]["matches"][4]["home"].get<std::string>().empty(), false);

  RunBoth({"check", Path("s.tpd")});
  EXPECT_EQ(json_["grades"].size(), json_["singles"].get<size_t>());
  int counted = 0;
  for (const auto& [grade, n] : json_["counts"].items()) counted += n.get<int>();
  EXPECT_EQ(counted, json_["singles"].get<int>());

  RunBoth({"coverage", Path("s.tpd")});
  for (int k = 0; k <= 5; ++k) {
    EXPECT_EQ(json_["right"][std::to_string(k)].get<double>(),
              TextNumber("right " + std::to_string(k) + ":"));
  }
  EXPECT_EQ(json_["outside_grade3"].size(), TextNumber("outside grade 3:"));

  RunBoth({"chances", Path("s.tpd"), "--per-single"});
  EXPECT_NEAR(json_["win"].get<double>() * 100, TextNumber("5 right (a win):"), 1e-4);
  EXPECT_NEAR(json_["per_100"].get<double>(), TextNumber("yen, "), 0.005);
  EXPECT_EQ(json_["singles"].size(), json_["bought_distinct"].get<size_t>());

  if (MinimumSolverBuiltIn()) {
    RunBoth({"minimum", "--targets", "all", "--grade", "3"});
    EXPECT_EQ(json_["minimum"].get<double>(), TextNumber("minimum:"));
    EXPECT_TRUE(json_["proven"].get<bool>());
  }

  RunBoth({"archive", "list"});
  std::smatch m;
  ASSERT_TRUE(std::regex_search(
      text_, m, std::regex(R"((\d+) rounds and groups in the cache, (\d+) complete)")));
  EXPECT_EQ(json_["count"].get<int>(), std::stoi(m[1]));
  EXPECT_EQ(json_["complete"].get<int>(), std::stoi(m[2]));
  EXPECT_GT(json_["complete"].get<int>(), 0);

  RunBoth({"live", Path("s.tpd"), "--known", "1=1-0,2=0-0", "--playing", "3=2-2@70"});
  EXPECT_EQ(json_["alive"].get<double>(), TextNumber("Alive for first prize:"));
  EXPECT_EQ(json_["combinations"].get<double>(), TextNumber("Open results:"));
  EXPECT_NEAR(json_["win_chance"].get<double>() * 100, TextNumber("Chance of first prize:"), 1e-4);
  EXPECT_EQ(json_["matches"][2]["minute"], 70);
  EXPECT_EQ(json_["decisions"].size(), 3u);

  RunBoth({"model", "history"});
  EXPECT_EQ(json_["history"]["matches"].get<double>(), TextNumber("History:"));
  EXPECT_EQ(json_["history"]["archive"]["rounds"].get<double>(),
            TextNumber("archive result pages:"));

  // The model on one shipped season of the first division: the round's
  // clubs all play in it.
  std::filesystem::create_directories(Path("History"));
  const std::string season = Path("History/j1.csv");
  std::filesystem::copy_file(
      std::filesystem::path(ZELVO_PROGRAM_DIR_FOR_TESTS) / "History/2024_allmatch_result-J1.csv",
      season);
  RunBoth({"model", "predict", "1487", "A"});
  EXPECT_EQ(json_["history_matches"].get<double>(), TextNumber("fitted on"));
  EXPECT_NEAR(json_["matches"][0]["model"]["1"].get<double>() * 100, TextNumber("FC東京"), 0.05);
  EXPECT_EQ(json_["matches"].size(), 5u);

  RunBoth({"model", "evaluate", "--test", season, "--history", season});
  EXPECT_EQ(json_["test_matches"].get<double>(), TextNumber("Test:"));
  EXPECT_NEAR(json_["model"]["log_loss"].get<double>(), TextNumber("\n  Model"), 5e-5);
  EXPECT_NEAR(json_["base_rates"]["log_loss"].get<double>(), TextNumber("Base rates"), 5e-5);

  RunBoth({"backtest", Path("s.tpd")});
  EXPECT_EQ(json_["stake"].get<double>(), TextNumber("Stake:"));
  EXPECT_EQ(json_["hits"].get<double>(), TextNumber("Hits:"));
  EXPECT_EQ(json_["count"].get<double>(), TextNumber("Rounds:"));
}

// The table says which commands take --json; each of them is covered above.
TEST(CliJsonTableTest, TheCommandsThatReportTakeJson) {
  std::vector<std::string> with_json;
  for (const CliCommand& c : CliCommands()) {
    if (!c.json.empty()) with_json.push_back(c.name);
    for (const CliCommand& s : c.subcommands) {
      if (!s.json.empty()) with_json.push_back(c.name + " " + s.name);
    }
  }
  EXPECT_EQ(with_json,
            (std::vector<std::string>{"status", "show", "check", "info", "coverage", "chances",
                                      "minimum", "archive list", "model history", "model predict",
                                      "model evaluate", "backtest", "live"}));
}

}  // namespace
}  // namespace zelvo
