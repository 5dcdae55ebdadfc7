// The result cache file of a round and group.
#ifndef ZELVOMINI_OFFICIAL_XML_RESULT_H_
#define ZELVOMINI_OFFICIAL_XML_RESULT_H_

#include <string>

#include "official/result_record.h"
#include "official/xml_record_file.h"

namespace zelvo {

// What a result file holds beyond what every cache file does.
struct ResultForm : FormOf<ResultRecord> {
  static constexpr FileNames kNames = {"clsXmlResult", "結果", "minitoto_Result",
                                       "minitoto_result_", "minitoto_result.xsl"};
  // Sized for the lottery rules' highest grade.
  static ResultRecord Fresh();
  static void WriteBody(XmlLines& x, const ResultRecord& r);
  static void Assign(ResultRecord& r, int match, const std::string& path, const std::string& v);
};

// SysData/minitoto_Result/minitoto_result_085_A.xml.
class clsXmlResult : public XmlRecordFile<ResultForm> {};

// Element names of the prize grades 1 to 6 ("一等" ...).
const char* GradeElementName(int grade);

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_XML_RESULT_H_
