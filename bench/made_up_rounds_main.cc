// Writes made-up rounds as cache files: into a program folder's SysData (in
// the program's file encoding), or with --source as the UTF-8 sources of the
// sample archive the build ships from FOLDER/SampleArchive (FOLDER: data).
//   zelvo-made-up-rounds FROM TO FOLDER [--source] [--seed N]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/made_up_rounds.h"
#include "official/xml_result.h"
#include "official/xml_schedule.h"
#include "official/xml_vote.h"
#include "support/paths.h"
#include "support/text_file.h"

using namespace zelvo;

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: zelvo-made-up-rounds FROM TO FOLDER [--source] [--seed N]\n");
    return 64;
  }
  int from = std::atoi(argv[1]), to = std::atoi(argv[2]);
  std::string folder = argv[3];
  bool source = false;
  uint64_t seed = 1;
  for (int i = 4; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--source") source = true;
    if (a == "--seed" && i + 1 < argc) seed = std::strtoull(argv[++i], nullptr, 10);
  }
  SetProgramDir(folder);
  for (int round = from; round <= to; ++round) {
    for (const char* group : {"A", "B"}) {
      ArchivedRound r = MakeUpRound(round, group, seed);
      clsXmlSchedule schedule;
      clsXmlVote vote;
      clsXmlResult result;
      schedule.SetRecord(r.schedule);
      vote.SetRecord(r.vote);
      result.SetRecord(r.result);
      if (!source) {
        if (!schedule.XmlSave() || !vote.XmlSave() || !result.XmlSave()) return 1;
        continue;
      }
      // The sources are UTF-8 with LF lines; the build converts them.
      auto utf8 = [](std::string text) {
        std::string out;
        for (char c : text) {
          if (c != '\r') out += c;
        }
        return out;
      };
      const std::string root = JoinPath(folder, "SampleArchive");
      const std::string files[] = {clsXmlSchedule::FileNameIn(root, round, group),
                                   clsXmlVote::FileNameIn(root, round, group),
                                   clsXmlResult::FileNameIn(root, round, group)};
      const std::string texts[] = {clsXmlSchedule::GetXmlString(r.schedule),
                                   vote.GetXmlString(true), clsXmlResult::GetXmlString(r.result)};
      for (int k = 0; k < 3; ++k) {
        if (!MakeDirs(ParentDir(files[k])) || !WriteFileBytes(files[k], utf8(texts[k]))) return 1;
      }
    }
  }
  return 0;
}
