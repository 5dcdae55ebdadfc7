// The vote status as XML: the cache file of a round and group, the element
// embedded in documents, and the archived files older documents refer to.
#ifndef ZELVOMINI_OFFICIAL_XML_VOTE_H_
#define ZELVOMINI_OFFICIAL_XML_VOTE_H_

#include <string>

#include "official/vote_record.h"
#include "official/xml_record_file.h"
#include "support/date_time.h"

namespace zelvo {

// What a vote status file holds beyond what every cache file does.
struct VoteForm : FormOf<VoteStatusRecord> {
  static constexpr FileNames kNames = {"clsXmlVote", "投票状況", "minitoto_Vote", "minitoto_vote_",
                                       "minitoto_vote.xsl"};
  static void WriteBody(XmlLines& x, const VoteStatusRecord& r);
  static void Assign(VoteStatusRecord& r, int match, const std::string& path, const std::string& v);
};

// SysData/minitoto_Vote/minitoto_vote_085_A.xml.
class clsXmlVote : public XmlRecordFile<VoteForm> {
 public:
  // vote_085_2024-05-11.xml directly in the program folder: old documents
  // name their vote status by round and date, and the program has always
  // looked for such files beside itself.
  static std::string GetOldFileName(int round, DateTime date);

  // With `header`: the whole file text.  Without: only the <投票状況>
  // element as documents embed it, every line ended by CR LF.
  std::string GetXmlString(bool header) const;
  // Parses either form into the record; a damaged text is reported and
  // leaves the record as it was.
  bool SetXmlString(const std::string& text, bool header);

  // Reads any vote status file by its path.
  bool XmlLoadFile(const std::string& path);
};

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_XML_VOTE_H_
