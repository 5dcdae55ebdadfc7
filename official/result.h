// The result service the round document and the result check use: the cache
// file first, then the official page; valid downloads are cached once and
// overwritten only by an explicit refresh.
#ifndef ZELVOMINI_OFFICIAL_RESULT_H_
#define ZELVOMINI_OFFICIAL_RESULT_H_

#include <string>

#include "official/html_result.h"
#include "official/official_service.h"
#include "official/result_record.h"
#include "official/xml_result.h"

namespace zelvo {

// The result's part in the shared cache-or-download path.
struct ResultKind {
  using Record = ResultRecord;
  using Xml = clsXmlResult;
  using Html = clsHtmlResult;
  static constexpr const char* kXmlClass = "clsXmlResult";
  static constexpr const char* kTitle = "くじ結果";
  static bool Usable(const ResultRecord& r);
  static bool NotHeld(const ResultRecord&) { return false; }
  static bool Parse(clsXmlResult& xml, const std::string& text);
  static bool Scrape(clsHtmlResult& html, int round, const std::string& group);
  static bool Final(const clsHtmlResult&) { return true; }
};

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
  // The record came from the cache file; the download was written to it.
  bool FromFile() const { return source_.from_file(); }
  bool Saved() const { return source_.saved(); }
  void FalseDialog(int round) const;

  bool ProgressOpen() const { return source_.html().ProgressOpen(); }
  void SetProgressOpen(bool v) { source_.html().SetProgressOpen(v); }
  bool ProgressClose() const { return source_.html().ProgressClose(); }
  void SetProgressClose(bool v) { source_.html().SetProgressClose(v); }

 private:
  bool initialized_ = false;
  OfficialSource<ResultKind> source_;
};

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_RESULT_H_
