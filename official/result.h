// The result service the round document and the result check use: the cache
// file first, then the official page; valid downloads are cached once and
// never overwritten.
#ifndef ZELVOMINI_OFFICIAL_RESULT_H_
#define ZELVOMINI_OFFICIAL_RESULT_H_

#include <string>

#include "official/html_result.h"
#include "official/official_service.h"
#include "official/result_record.h"
#include "official/xml_result.h"

namespace zelvo {

class clsResult {
 public:
  void Initialize();

  // Mode and `ask` as for the schedule.  True when the record in hand is a
  // valid result.
  bool GetResult(int round, const std::string& group, int mode, bool ask);

  ResultRecord Record() const;
  bool Cancel() const;
  bool Unpublished() const;
  bool CheckResultFile(int round, const std::string& group) const;
  void FalseDialog(int round) const;

  bool ProgressOpen() const { return html_.ProgressOpen(); }
  void SetProgressOpen(bool v) { html_.SetProgressOpen(v); }
  bool ProgressClose() const { return html_.ProgressClose(); }
  void SetProgressClose(bool v) { html_.SetProgressClose(v); }

 private:
  bool initialized_ = false;
  clsXmlResult xml_;
  clsHtmlResult html_;
  ResultRecord record_;
  bool cancel_ = false;
  bool unpublished_ = false;
};

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_RESULT_H_
