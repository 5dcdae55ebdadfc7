// The schedule cache file of a round and group, and the "not held" marker
// file that takes its place for a round the user marks as not held.
#ifndef ZELVOMINI_OFFICIAL_XML_SCHEDULE_H_
#define ZELVOMINI_OFFICIAL_XML_SCHEDULE_H_

#include <string>

#include "official/schedule_record.h"
#include "official/xml_record_file.h"

namespace zelvo {

// What a schedule file holds beyond what every cache file does.
struct ScheduleForm : FormOf<ScheduleRecord> {
  static constexpr FileNames kNames = {"clsXmlSchedule", "開催", "minitoto_Schedule",
                                       "minitoto_schedule_", "minitoto_schedule.xsl"};
  static void WriteBody(XmlLines& x, const ScheduleRecord& r);
  static void Assign(ScheduleRecord& r, int match, const std::string& path, const std::string& v);
};

// SysData/minitoto_Schedule/minitoto_schedule_085_A.xml.
class clsXmlSchedule : public XmlRecordFile<ScheduleForm> {
 public:
  bool XmlSave_NoGame(int round, const std::string& group);
  bool XmlDelete_NoGame(int round, const std::string& group);
};

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_XML_SCHEDULE_H_
