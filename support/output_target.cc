#include "support/output_target.h"

#include <sys/stat.h>

#include <filesystem>

#include "support/paths.h"
#include "support/text_file.h"

namespace zelvo {
namespace {

namespace fs = std::filesystem;

// The path with every link and "." or ".." resolved, as far as it exists.
std::string Resolved(const std::string& path) {
  std::error_code ec;
  fs::path p = fs::weakly_canonical(fs::absolute(path, ec), ec);
  return ec ? std::string() : p.string();
}

bool Inside(const std::string& path, const std::string& folder) {
  return !path.empty() && !folder.empty() && path.size() > folder.size() &&
         path.compare(0, folder.size(), folder) == 0 && path[folder.size()] == '/';
}

}  // namespace

bool SameFile(const std::string& path, const std::string& existing) {
  struct stat in {};
  // A name that is no file (a round number, a missing input) has nothing to lose.
  if (::stat(existing.c_str(), &in) != 0) return false;
  struct stat out {};
  if (::stat(path.c_str(), &out) == 0) return out.st_dev == in.st_dev && out.st_ino == in.st_ino;
  std::string resolved = Resolved(path);
  return !resolved.empty() && resolved == Resolved(existing);
}

OutputVerdict CheckOutputTarget(const std::string& output, const std::vector<std::string>& inputs,
                                bool in_place) {
  OutputVerdict verdict;
  for (const std::string& input : inputs) {
    if (SameFile(output, input)) {
      verdict.refusal = OutputRefusal::kIsInput;
      verdict.input = input;
      return verdict;
    }
  }
  // Every command and window reads the team tables and settings in SysData,
  // and most read its caches: an output there would replace the program's
  // own data.  A document kept there by the user may still be saved in place.
  if (!in_place && Inside(Resolved(output), Resolved(SysDataPath()))) {
    verdict.refusal = OutputRefusal::kInSysData;
    return verdict;
  }
  if (!CheckWritableTarget(output, verdict.reason)) verdict.refusal = OutputRefusal::kNotWritable;
  return verdict;
}

std::string OutputRefusalMessage(const OutputVerdict& verdict, const std::string& output) {
  switch (verdict.refusal) {
    case OutputRefusal::kNone:
      break;
    case OutputRefusal::kIsInput:
      return output + "\r\n保存先が使用中のファイル（" + verdict.input +
             "）と同じため保存しませんでした。";
    case OutputRefusal::kInSysData:
      return output + "\r\nシステムデータフォルダ(SysData)には保存できません。";
    case OutputRefusal::kNotWritable:
      return output + "\r\n" + verdict.reason;
  }
  return {};
}

}  // namespace zelvo
