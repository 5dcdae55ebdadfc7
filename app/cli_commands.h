// The commands of zelvomini-cli, one function each, registered in cli.cc.
#ifndef ZELVOMINI_APP_CLI_COMMANDS_H_
#define ZELVOMINI_APP_CLI_COMMANDS_H_

#include <string>
#include <vector>

#include "app/cli.h"

namespace zelvo {

using CliArgs = std::vector<std::string>;

int CmdStatus(CliContext& ctx, const CliArgs& args);
int CmdTeam(CliContext& ctx, const CliArgs& args);
int CmdTeamAdd(CliContext& ctx, const CliArgs& args);
int CmdSingle(CliContext& ctx, const CliArgs& args);
int CmdUpdateTeams(CliContext& ctx, const CliArgs& args);
int CmdDownload(CliContext& ctx, const CliArgs& args);
int CmdShow(CliContext& ctx, const CliArgs& args);
int CmdCompress(CliContext& ctx, const CliArgs& args);
int CmdPrint(CliContext& ctx, const CliArgs& args);
int CmdCheck(CliContext& ctx, const CliArgs& args);

// Option helpers shared by the commands.
bool TakeFlag(CliArgs& args, const std::string& flag);
// "--name VALUE": removes both and stores VALUE; false when absent.  A flag
// given without its value is reported and sets `missing`.
bool TakeOption(CliArgs& args, const std::string& flag, std::string& value, bool& missing);

}  // namespace zelvo

#endif  // ZELVOMINI_APP_CLI_COMMANDS_H_
