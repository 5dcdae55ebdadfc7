// Where the program may write a file the user named: never over a file the
// same command reads, nor into its own data folder.  The command line and
// the windows ask the same question and differ only in how they say no.
#ifndef ZELVOMINI_SUPPORT_OUTPUT_TARGET_H_
#define ZELVOMINI_SUPPORT_OUTPUT_TARGET_H_

#include <string>
#include <vector>

namespace zelvo {

// True when the two names reach one file: the same file (device and inode,
// so links, "./" and ".." count) when `existing` exists, the same resolved
// path when only it does not.  False when `existing` names no file.
bool SameFile(const std::string& path, const std::string& existing);

enum class OutputRefusal {
  kNone,
  kIsInput,      // the output is one of the inputs
  kInSysData,    // the output lies in the program's data folder
  kNotWritable,  // the writer would refuse it (a folder, a device, read-only)
};

struct OutputVerdict {
  OutputRefusal refusal = OutputRefusal::kNone;
  std::string input;   // for kIsInput: the input it is
  std::string reason;  // for kNotWritable: the writer's reason
};

// Checked before any work, so that a refusal leaves every file as it was.
// `in_place`: the output is the document being updated (a save of the open
// file), which may live anywhere the user keeps it.
OutputVerdict CheckOutputTarget(const std::string& output, const std::vector<std::string>& inputs,
                                bool in_place = false);

// The windows' text for a refusal, naming the output.
std::string OutputRefusalMessage(const OutputVerdict& verdict, const std::string& output);

}  // namespace zelvo

#endif  // ZELVOMINI_SUPPORT_OUTPUT_TARGET_H_
