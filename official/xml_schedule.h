// The schedule cache file of a round and group, and the "not held" marker
// file that takes its place for a round the user marks as not held.
#ifndef ZELVOMINI_OFFICIAL_XML_SCHEDULE_H_
#define ZELVOMINI_OFFICIAL_XML_SCHEDULE_H_

#include <string>

#include "official/schedule_record.h"

namespace zelvo {

class clsXmlSchedule {
 public:
  // SysData/minitoto_Schedule/minitoto_schedule_085_A.xml ("_A" only with a
  // group).
  static std::string GetFileName(int round, const std::string& group);
  // The file text of a record, as XmlSave writes it.
  static std::string GetXmlString(const ScheduleRecord& record);

  // Writes the record to the file of its round and group.
  bool XmlSave();
  // Reads the file of the round and group into the record; false without a
  // message when there is no file, with one when it is damaged (the record
  // is then left as it was).
  bool XmlLoad(int round, const std::string& group);
  // Parses a file text into the record.
  bool SetXmlString(const std::string& text);

  bool XmlSave_NoGame(int round, const std::string& group);
  bool XmlDelete_NoGame(int round, const std::string& group);

  const ScheduleRecord& Record() const { return record_; }
  void SetRecord(const ScheduleRecord& record) { record_ = record; }

 private:
  ScheduleRecord record_;
};

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_XML_SCHEDULE_H_
