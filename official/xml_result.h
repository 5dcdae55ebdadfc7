// The result cache file of a round and group.
#ifndef ZELVOMINI_OFFICIAL_XML_RESULT_H_
#define ZELVOMINI_OFFICIAL_XML_RESULT_H_

#include <string>

#include "official/result_record.h"

namespace zelvo {

class clsXmlResult {
 public:
  // SysData/minitoto_Result/minitoto_result_085_A.xml ("_A" only with a group).
  static std::string GetFileName(int round, const std::string& group);
  static std::string GetXmlString(const ResultRecord& record);

  bool XmlSave();
  // False without a message when there is no file, with one when it is
  // damaged (the record is then left as it was).
  bool XmlLoad(int round, const std::string& group);
  bool SetXmlString(const std::string& text);

  const ResultRecord& Record() const { return record_; }
  void SetRecord(const ResultRecord& record) { record_ = record; }

 private:
  ResultRecord record_;
};

// Element names of the prize grades 1 to 6 ("一等" ...).
const char* GradeElementName(int grade);

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_XML_RESULT_H_
