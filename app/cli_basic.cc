// The commands over the foundation: status, team names, singles.
#include <ostream>

#include "app/cli_commands.h"
#include "app/cli_json.h"
#include "core/single_number.h"
#include "core/team_name_add.h"
#include "core/toto_data.h"
#include "files/toto_settings.h"
#include "support/data_location.h"
#include "support/paths.h"
#include "support/text.h"
#include "support/version.h"

namespace zelvo {

namespace {

int CmdStatus(CliContext& ctx, const CliArgs& args) {
  clsTotoData data;
  const DataLocation location = CurrentDataLocation();
  const bool installed = location.mode == DataMode::kInstalled;
  struct Table {
    const char* name;
    const clsIniFile& file;
  };
  const Table tables[] = {{"TeamName.dat", data.TeamName()},
                          {"TeamName1.dat", data.TeamName1()},
                          {"TeamName2.dat", data.TeamName2()},
                          {"TeamName3.dat", data.TeamName3()},
                          {"J1J2.dat", data.J1J2()}};
  const TotoSettings& s = totoSettings();
  if (args.json()) {
    Json j;
    j["version"] = ProgramVersionText();
    j["mode"] = installed ? "installed" : "portable";
    j["program_folder"] = ProgramDir();
    if (installed) {
      j["shipped_data"] = location.shipped_dir.empty() ? Json(nullptr) : Json(location.shipped_dir);
    }
    j["documents_folder"] = location.documents_dir;
    Json& files = j["tables"] = Json::object();
    for (const Table& t : tables) {
      files[t.name] = t.file.Enabled() ? Json(t.file.Count()) : Json(nullptr);
    }
    j["team_name2_version"] = data.GetTeamName2Version();
    j["pages"] = {{"schedule", s.totoOfficialScheduleUrl},
                  {"vote", s.totoOfficialVoteUrl},
                  {"result", s.totoOfficialResultUrl}};
    PrintJson(ctx.out, j);
    return 0;
  }
  ctx.out << "Zelvo mini " << ProgramVersionText() << "\n";
  ctx.out << "Mode: " << (installed ? "installed" : "portable") << "\n";
  ctx.out << "Program folder: " << ProgramDir() << "\n";
  if (installed) {
    ctx.out << "Shipped data: " << (location.shipped_dir.empty() ? "none" : location.shipped_dir)
            << "\n";
  }
  ctx.out << "Documents folder: " << location.documents_dir << "\n";
  for (const Table& t : tables) {
    ctx.out << "  " << PadCutColumns(t.name, 14) << " "
            << (t.file.Enabled() ? std::to_string(t.file.Count()) + " entries" : "missing") << "\n";
  }
  ctx.out << "TeamName2.dat version: " << data.GetTeamName2Version() << "\n";
  ctx.out << "Schedule page: " << s.totoOfficialScheduleUrl << "\n";
  ctx.out << "Vote page:     " << s.totoOfficialVoteUrl << "\n";
  ctx.out << "Result page:   " << s.totoOfficialResultUrl << "\n";
  return 0;
}

int CmdTeam(CliContext& ctx, const CliArgs& args) {
  const int round = static_cast<int>(args.Int("ROUND"));
  const int year = static_cast<int>(args.Int("YEAR"));
  clsTotoData data;
  std::string short_name = data.GetShortTeamName(args.Get("LONG_NAME"), round);
  if (short_name.empty()) return 1;
  ctx.out << short_name;
  if (year > 0) {
    std::string league = data.GetShortToJ1J2String(short_name, year);
    ctx.out << "\t" << (league.empty() ? "-" : league);
  }
  ctx.out << "\n";
  return 0;
}

int CmdTeamAdd(CliContext&, const CliArgs& args) {
  TeamNameAdder adder;
  adder.long_name_field = args.Get("LONG_NAME");
  adder.short_name_field = args.Get("SHORT_NAME");
  return adder.Add() ? 0 : 1;
}

int CmdSingle(CliContext& ctx, const CliArgs& args) {
  int no = -1;
  const std::string single = args.Get("N|DIGITS");
  if (single.size() == 5 && single.find_first_not_of("012") == std::string::npos) {
    uint8_t k[5];
    for (int i = 0; i < 5; ++i) k[i] = static_cast<uint8_t>(single[i] - '0');
    no = clsTNumber().ByteToNo(k);
  } else if (!ParseInt32(single, no) || no < 0 || no >= kSingles) {
    return UsageError(
        ctx, args, "N|DIGITS takes a number from 0 to 242 or five of 1/0/2, not '" + single + "'");
  }
  clsTNumber number;
  uint8_t k[5];
  number.NoToByte(no, k);
  auto digits = [&number](int s) {
    uint8_t d[5];
    number.NoToByte(s, d);
    std::string t;
    for (uint8_t v : d) t += static_cast<char>('0' + v);
    return t;
  };
  ctx.out << "Single " << no << ": " << digits(no) << "\n";
  int list[40];
  number.Get2List(no, std::span<int>(list, 10));
  ctx.out << "One match away:";
  for (int i = 0; i < 10; ++i) ctx.out << " " << list[i];
  ctx.out << "\nTwo matches away:";
  number.Get3List(no, list);
  for (int i = 0; i < 40; ++i) ctx.out << " " << list[i];
  ctx.out << "\n";
  return 0;
}

}  // namespace

CliCommand StatusCommand() {
  return {.name = "status",
          .summary = "program folder, data files and settings",
          .details =
              "The data mode (portable or installed), the program and documents folders, "
              "the team-name tables and the official page addresses.",
          .json =
              "An object: version, mode (\"portable\" or \"installed\"), program_folder, "
              "shipped_data (installed mode only; null when there is none), "
              "documents_folder, tables (each team-name file with its number of entries, "
              "null when missing), team_name2_version, and pages (the schedule, vote and "
              "result page addresses).",
          .run = CmdStatus};
}

CliCommand TeamCommand() {
  return {
      .name = "team",
      .summary = "short name (and league in YEAR) of a club",
      .args = {{"LONG_NAME", {}, CliCount::kOne, "the club's name as the official pages write it"},
               {"ROUND", {CliKind::kInt}, CliCount::kOne, "the round the name is looked up for"},
               {"YEAR", {CliKind::kInt}, CliCount::kOptional, "also print its league that year"}},
      .details = "Prints the short name, and with YEAR a tab and the league (\"-\" for none).",
      .exits = {{1, "the tables do not know the club"}},
      .run = CmdTeam};
}

CliCommand TeamAddCommand() {
  return {.name = "team-add",
          .summary = "add a club to the user table TeamName3.dat",
          .args = {{"LONG_NAME"}, {"SHORT_NAME"}},
          .exits = {{1, "the names were refused or the table could not be written"}},
          .run = CmdTeamAdd};
}

CliCommand SingleCommand() {
  return {.name = "single",
          .summary = "a single's number, outcomes and neighbours",
          .args = {{"N|DIGITS",
                    {},
                    CliCount::kOne,
                    "its number from 0 to 242, or its five outcomes 1/0/2 (\"10221\")"}},
          .run = CmdSingle};
}

}  // namespace zelvo
