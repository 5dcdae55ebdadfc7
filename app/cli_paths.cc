// The outputs of the commands: checked before any work, so that a command
// never writes over what it reads.
#include <ostream>

#include "app/cli_commands.h"
#include "support/output_target.h"

namespace zelvo {

bool CheckOutput(CliContext& ctx, const std::string& output, const std::vector<std::string>& inputs,
                 bool in_place) {
  const OutputVerdict verdict = CheckOutputTarget(output, inputs, in_place);
  switch (verdict.refusal) {
    case OutputRefusal::kNone:
      return true;
    case OutputRefusal::kIsInput:
      ctx.err << "zelvomini-cli: the output " << output << " is the input " << verdict.input
              << "; nothing was written\n";
      break;
    case OutputRefusal::kInSysData:
      ctx.err << "zelvomini-cli: the output " << output
              << " is in the program's data folder SysData; nothing was written\n";
      break;
    case OutputRefusal::kNotWritable:
      ctx.err << "zelvomini-cli: cannot write " << output << ": " << verdict.reason << "\n";
      break;
  }
  return false;
}

}  // namespace zelvo
