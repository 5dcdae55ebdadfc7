// The commands of zelvomini-cli, one function each, registered in cli.cc.
#ifndef ZELVOMINI_APP_CLI_COMMANDS_H_
#define ZELVOMINI_APP_CLI_COMMANDS_H_

#include <string>
#include <vector>

#include "analysis/backtest.h"
#include "app/cli.h"
#include "files/document_record.h"
#include "files/tpd_file.h"
#include "support/output_target.h"

namespace zelvo {

using CliArgs = std::vector<std::string>;

int CmdStatus(CliContext& ctx, const CliArgs& args);
int CmdTeam(CliContext& ctx, const CliArgs& args);
int CmdTeamAdd(CliContext& ctx, const CliArgs& args);
int CmdSingle(CliContext& ctx, const CliArgs& args);
int CmdSearch(CliContext& ctx, const CliArgs& args);
int CmdBatch(CliContext& ctx, const CliArgs& args);
int CmdCsv(CliContext& ctx, const CliArgs& args);
int CmdInfo(CliContext& ctx, const CliArgs& args);
int CmdUpdateTeams(CliContext& ctx, const CliArgs& args);
int CmdDownload(CliContext& ctx, const CliArgs& args);
int CmdShow(CliContext& ctx, const CliArgs& args);
int CmdCompress(CliContext& ctx, const CliArgs& args);
int CmdPrint(CliContext& ctx, const CliArgs& args);
int CmdCheck(CliContext& ctx, const CliArgs& args);
int CmdCoverage(CliContext& ctx, const CliArgs& args);
int CmdChances(CliContext& ctx, const CliArgs& args);
int CmdMinimum(CliContext& ctx, const CliArgs& args);
int CmdLines(CliContext& ctx, const CliArgs& args);
int CmdArchive(CliContext& ctx, const CliArgs& args);
int CmdProbs(CliContext& ctx, const CliArgs& args);
// The goal model's probabilities for the document's round as its own
// probabilities (printed beside the vote rates); false, with the reason on
// ctx.err, when the model can give none.
bool OwnProbabilitiesFromModel(CliContext& ctx, DocumentRecord& doc);
// backtest --probs model: each round's own probabilities from the goal model
// fitted before it; `rounds_predicted` counts the rounds it gave figures for.
void ModelProbsPerRound(const clsTotoData& toto, BacktestOptions& options, int& rounds_predicted);
// The own probabilities of a document beside the public's shares.
void PrintOwnProbabilities(std::ostream& out, const DocumentRecord& doc);
int CmdBacktest(CliContext& ctx, const CliArgs& args);
int CmdLive(CliContext& ctx, const CliArgs& args);
// The goal model: its history, a round's probabilities, its evaluation.
int CmdModel(CliContext& ctx, const CliArgs& args);
// The analysis commands' part of --help.
extern const char kAnalysisHelp[];

// Option helpers shared by the commands.
bool TakeFlag(CliArgs& args, const std::string& flag);
// "--name VALUE": removes both and stores VALUE; false when absent.  A flag
// given without its value is reported and sets `missing`.
bool TakeOption(CliArgs& args, const std::string& flag, std::string& value, bool& missing);

// A number of seconds as a plain decimal ("1", "0.5"): no exponent, sign,
// "nan" or "inf", which would pass a range check they are not in.
bool ParseSeconds(const std::string& text, double& value);

// An output a command may write: none of its `inputs`, no file in SysData
// unless the command updates its own document there (`in_place`), and a
// file the writer accepts (CheckOutputTarget, as the windows ask it).  Says
// why not on ctx.err.
bool CheckOutput(CliContext& ctx, const std::string& output, const std::vector<std::string>& inputs,
                 bool in_place = false);

// Singles files and documents shared by the commands.
// A CSV file of singles in the compress command's layout; a field other than
// 0, 1 or 2 is reported with its line and fails the read.
bool ReadSinglesCsv(const std::string& path, std::vector<int>& singles, std::ostream& err);
// A single as its five outcome digits, match 1 first ("10201").
std::string OutcomeDigits(int single);
// Opens a whole document with the vote status it works with (its own, an
// archived one of an old document, or the cached one of its round and group);
// `dialog` tells the user why one fails.
bool OpenDocument(clsTFileTPD& tpd, const std::string& path, bool dialog, DocumentRecord& doc);
// The cached vote status of the document's round and group, when there is one.
void CachedVote(DocumentRecord& doc);

}  // namespace zelvo

#endif  // ZELVOMINI_APP_CLI_COMMANDS_H_
