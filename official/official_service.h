// What the schedule, vote status and result services share: the source
// flags of their Get operations, the download question, the message that
// tells the user why a Get gave nothing, and the one path by which a record
// of any kind comes from the cache or the official site.
#ifndef ZELVOMINI_OFFICIAL_OFFICIAL_SERVICE_H_
#define ZELVOMINI_OFFICIAL_OFFICIAL_SERVICE_H_

#include <string>

#include "official/official_xml.h"
#include "support/error_report.h"
#include "support/file_lock.h"
#include "support/paths.h"

namespace zelvo {

// Source flags, added up into a mode: 1 the cache file, 2 the official site
// when the file gave nothing, 3 both.  4 fetches again over a cached file:
// the page is downloaded whatever the cache holds, and a usable record
// replaces the file (a failed refresh leaves the file as it was).
inline constexpr int kSourceFile = 1;
inline constexpr int kSourceDownload = 2;
inline constexpr int kSourceRefresh = 4;

// "インターネットより <kind> をダウンロードします。よろしいですか？" titled
// " <kind>"; true on Yes.
bool AskDownload(const std::string& kind);

// Nothing after a refused download; "第<round>回 <kind>は発表されていません。"
// (information) for a page that does not show the round yet; otherwise the
// download-failure warning.  Titled " <kind>".
void ShowFalseDialog(bool cancel, bool unpublished, int round, const std::string& kind);

// The cache-or-download path of one kind of official record.  `Kind` names
// the record, its XML file and page scraper classes and supplies:
//   kXmlClass, kTitle             the file class's name, the kind's caption
//   Usable(record)                the check a record must pass to be used
//   NotHeld(record)               the user's not-held mark (schedule only)
//   Parse(xml, text)              a file text into xml.Record()
//   Scrape(html, round, group)    the page into html.Record()
//   Final(html)                   whether the page's figures may be cached
// A cache file that does not read, or reads but fails Usable, is reported
// and treated as absent: no record of it reaches a caller.
template <typename Kind>
class OfficialSource {
 public:
  using Record = typename Kind::Record;

  // Mode: the kSource flags; `ask` confirms a download first.  True when the
  // record in hand passes Usable.
  bool Get(int round, const std::string& group, int mode, bool ask) {
    cancel_ = unpublished_ = no_game_ = from_file_ = saved_ = false;
    record_ = Record();
    if (round <= 0) return false;
    const bool refresh = (mode & kSourceRefresh) != 0;
    if (mode & (kSourceFile | kSourceRefresh)) {
      Record cached;
      if (LoadFile(Kind::Xml::GetFileName(round, group), cached)) {
        if (Kind::NotHeld(cached)) {
          // The user's mark stands until the user lifts it; no download
          // replaces it.
          record_ = cached;
          no_game_ = true;
          return false;
        }
        if (!refresh) {
          record_ = cached;
          from_file_ = true;
          return true;
        }
      }
    }
    if (!(mode & (kSourceDownload | kSourceRefresh))) return false;
    if (ask && !AskDownload(Kind::kTitle)) {
      cancel_ = true;
      return false;
    }
    if (!Kind::Scrape(html_, round, group)) {
      unpublished_ = html_.Unpublished();
      // A download the user cancelled is told no more than a declined one.
      if (html_.Cancelled()) cancel_ = true;
      return false;
    }
    if (html_.Record().Kaisaikai != round) {
      // The site answers an unknown round with another round's page.
      unpublished_ = true;
      return false;
    }
    record_ = html_.Record();
    if (!Kind::Usable(record_)) return false;
    if (Kind::Final(html_)) saved_ = SaveToCache(record_, refresh);
    return true;
  }

  // Reads a file as the cache is read.  A file that is not there gives
  // false silently; one that is damaged or not usable, with the message
  // that the data is abnormal.
  bool LoadFile(const std::string& path, Record& out) {
    std::string text;
    if (!ReadOfficialXml(path, text)) return false;
    typename Kind::Xml xml;
    if (!Kind::Parse(xml, text)) return false;
    if (!Kind::NotHeld(xml.Record()) && !Kind::Usable(xml.Record())) {
      ReportError(Kind::kXmlClass, "XmlLoad", kXmlMalformed);
      return false;
    }
    out = xml.Record();
    return true;
  }

  const Record& record() const { return record_; }
  bool cancel() const { return cancel_; }
  bool unpublished() const { return unpublished_; }
  bool no_game() const { return no_game_; }
  // The record came from the cache file; a downloaded one was written to it.
  bool from_file() const { return from_file_; }
  bool saved() const { return saved_; }
  typename Kind::Html& html() { return html_; }
  const typename Kind::Html& html() const { return html_; }

 private:
  // Every cache file of this kind is written here and nowhere else: the
  // check that no file is there yet and the write belong together.
  bool SaveToCache(const Record& record, bool replace) {
    // Another window or command may be caching the same round: the check
    // and the write happen under the SysData lock.
    SysDataLock lock;
    if (!lock.Locked()) return false;
    if (!replace && FileExists(Kind::Xml::GetFileName(record.Kaisaikai, record.Kumi))) {
      return false;
    }
    typename Kind::Xml xml;
    xml.SetRecord(record);
    return xml.XmlSave();
  }

  typename Kind::Html html_;
  Record record_;
  bool cancel_ = false;
  bool unpublished_ = false;
  bool no_game_ = false;
  bool from_file_ = false;
  bool saved_ = false;
};

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_OFFICIAL_SERVICE_H_
