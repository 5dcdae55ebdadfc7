// The commands over the foundation: status, team names, singles.
#include <ostream>

#include "app/cli_commands.h"
#include "core/single_number.h"
#include "core/team_name_add.h"
#include "core/toto_data.h"
#include "files/toto_settings.h"
#include "support/data_location.h"
#include "support/paths.h"
#include "support/text.h"
#include "support/version.h"

namespace zelvo {

int CmdStatus(CliContext& ctx, const CliArgs&) {
  clsTotoData data;
  ctx.out << "Zelvo mini " << ProgramVersionText() << "\n";
  const DataLocation location = CurrentDataLocation();
  ctx.out << "Mode: " << (location.mode == DataMode::kPortable ? "portable" : "installed") << "\n";
  ctx.out << "Program folder: " << ProgramDir() << "\n";
  if (location.mode == DataMode::kInstalled) {
    ctx.out << "Shipped data: " << (location.shipped_dir.empty() ? "none" : location.shipped_dir)
            << "\n";
  }
  ctx.out << "Documents folder: " << location.documents_dir << "\n";
  struct Table {
    const char* name;
    const clsIniFile& file;
  };
  for (const Table& t : {Table{"TeamName.dat", data.TeamName()}, Table{"TeamName1.dat", data.TeamName1()},
                         Table{"TeamName2.dat", data.TeamName2()}, Table{"TeamName3.dat", data.TeamName3()},
                         Table{"J1J2.dat", data.J1J2()}}) {
    ctx.out << "  " << PadCutColumns(t.name, 14) << " "
            << (t.file.Enabled() ? std::to_string(t.file.Count()) + " entries" : "missing") << "\n";
  }
  ctx.out << "TeamName2.dat version: " << data.GetTeamName2Version() << "\n";
  const TotoSettings& s = totoSettings();
  ctx.out << "Schedule page: " << s.totoOfficialScheduleUrl << "\n";
  ctx.out << "Vote page:     " << s.totoOfficialVoteUrl << "\n";
  ctx.out << "Result page:   " << s.totoOfficialResultUrl << "\n";
  return 0;
}

int CmdTeam(CliContext& ctx, const CliArgs& args) {
  int round = 0, year = 0;
  if (args.size() < 2 || !ParseInt32(args[1], round) ||
      (args.size() > 2 && !ParseInt32(args[2], year))) {
    ctx.err << "usage: zelvomini-cli team LONG_NAME ROUND [YEAR]\n";
    return 64;
  }
  clsTotoData data;
  std::string short_name = data.GetShortTeamName(args[0], round);
  if (short_name.empty()) return 1;
  ctx.out << short_name;
  if (year > 0) {
    std::string league = data.GetShortToJ1J2String(short_name, year);
    ctx.out << "\t" << (league.empty() ? "-" : league);
  }
  ctx.out << "\n";
  return 0;
}

int CmdTeamAdd(CliContext& ctx, const CliArgs& args) {
  if (args.size() != 2) {
    ctx.err << "usage: zelvomini-cli team-add LONG_NAME SHORT_NAME\n";
    return 64;
  }
  TeamNameAdder adder;
  adder.long_name_field = args[0];
  adder.short_name_field = args[1];
  return adder.Add() ? 0 : 1;
}

int CmdSingle(CliContext& ctx, const CliArgs& args) {
  int no = -1;
  if (args.size() == 1 && args[0].size() == 5 &&
      args[0].find_first_not_of("012") == std::string::npos) {
    uint8_t k[5];
    for (int i = 0; i < 5; ++i) k[i] = static_cast<uint8_t>(args[0][i] - '0');
    no = clsTNumber().ByteToNo(k);
  } else if (args.size() != 1 || !ParseInt32(args[0], no) || no < 0 || no >= kSingles) {
    ctx.err << "usage: zelvomini-cli single N|DIGITS (N from 0 to 242, DIGITS five of 1/0/2)\n";
    return 64;
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

}  // namespace zelvo
