// The commands of zelvomini-cli and what they share.
#ifndef ZELVOMINI_APP_CLI_COMMANDS_H_
#define ZELVOMINI_APP_CLI_COMMANDS_H_

#include <nlohmann/json_fwd.hpp>
#include <string>
#include <vector>

#include "app/cli.h"
#include "app/cli_table.h"
#include "files/document_record.h"
#include "files/tpd_file.h"
#include "support/output_target.h"

namespace zelvo {

// The commands, each described beside its implementation; the table in
// cli_table.cc lists them.
CliCommand StatusCommand();
CliCommand TeamCommand();
CliCommand TeamAddCommand();
CliCommand SingleCommand();
CliCommand UpdateTeamsCommand();
CliCommand DownloadCommand();
CliCommand ShowCommand();
CliCommand CompressCommand();
CliCommand PrintCommand();
CliCommand CheckCommand();
CliCommand SearchCommand();
CliCommand BatchCommand();
CliCommand CsvCommand();
CliCommand InfoCommand();
CliCommand CoverageCommand();
CliCommand ChancesCommand();
CliCommand MinimumCommand();
CliCommand LinesCommand();
CliCommand ProbsCommand();
CliCommand ArchiveCommand();
CliCommand BacktestCommand();
CliCommand LiveCommand();
CliCommand ModelCommand();

// The goal model's probabilities for the document's round as its own
// probabilities (printed beside the vote rates); false, with the reason on
// ctx.err, when the model can give none.
bool OwnProbabilitiesFromModel(CliContext& ctx, DocumentRecord& doc);

// The own probabilities of a document beside the public's shares; as JSON
// null when the document has none.
void PrintOwnProbabilities(std::ostream& out, const DocumentRecord& doc);
nlohmann::ordered_json OwnProbabilitiesJson(const DocumentRecord& doc);

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
