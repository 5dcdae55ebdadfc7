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

// "公式サイトは第<round>回ではなく第<other_round>回の<kind>を返しました。"
std::string OtherRoundText(int other_round, int round, const std::string& kind);

// Nothing after a refused download; "第<round>回 <kind>は発表されていません。"
// (information) for a page that does not show the round yet; that the site
// answered with the page of another round (`other_round`, information);
// otherwise the download-failure warning.  Titled " <kind>".
void ShowFalseDialog(bool cancel, bool unpublished, int other_round, int round,
                     const std::string& kind);

// The names a service of one kind reports and shows under.
struct ServiceNames {
  const char* service;  // "clsSchedule"
  const char* get;      // its Get operation, "GetSchedule"
  const char* title;    // the kind's caption, "開催情報"
};

// What every kind's description shares: its file and page classes, the
// record they hold, and no not-held mark (only the schedule has one).
template <typename XmlType, typename HtmlType>
struct KindOf {
  using Xml = XmlType;
  using Html = HtmlType;
  using Record = typename XmlType::RecordType;
  static bool NotHeld(const Record&) { return false; }
};

// The cache-or-download path of one kind of official record.  `Kind` is a
// KindOf with the kind's kNames and Usable(record), the check a record must
// pass to be used.
// A cache file that does not read, reads but fails Usable, or holds another
// round or group than its name says is reported and treated as absent: no
// record of it reaches a caller, and a usable download replaces it.
template <typename Kind>
class OfficialSource {
 public:
  using Record = typename Kind::Record;

  // Mode: the kSource flags; `ask` confirms a download first.  True when the
  // record in hand passes Usable.
  bool Get(int round, const std::string& group, int mode, bool ask) {
    cancel_ = unpublished_ = no_game_ = from_file_ = saved_ = false;
    other_round_ = 0;
    record_ = Record();
    if (round <= 0) return false;
    const bool refresh = (mode & kSourceRefresh) != 0;
    if (mode & (kSourceFile | kSourceRefresh)) {
      Record cached;
      if (LoadFile(Kind::Xml::GetFileName(round, group), round, group, cached)) {
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
    if (ask && !AskDownload(Kind::kNames.title)) {
      cancel_ = true;
      return false;
    }
    if (!html_.Download(round, group)) {
      unpublished_ = html_.Unpublished();
      other_round_ = html_.OtherRound();
      // A download the user cancelled is told no more than a declined one.
      if (html_.Cancelled()) cancel_ = true;
      return false;
    }
    if (html_.Record().Kaisaikai != round) {
      other_round_ = html_.Record().Kaisaikai;
      return false;
    }
    record_ = html_.Record();
    if (!Kind::Usable(record_)) return false;
    if (html_.Final()) saved_ = SaveToCache(record_, refresh);
    return true;
  }

  // Reads the file at `path`, filed under `round` and `group`, without a
  // word to the user; `out` takes the record of a usable file or of a
  // not-held mark.  A file copied over another round's or group's name is
  // no data of the round (with `any_group`, for the archived vote files of
  // old documents, which name no group, only the round is checked).
  static CacheFileCheck CheckFile(const std::string& path, int round, const std::string& group,
                                  Record& out, bool any_group = false) {
    CacheFileCheck check;
    std::string text;
    if (!ReadOfficialXml(path, text)) return check;
    Record read;
    check.read = Kind::Xml::Read(text, read);
    if (!check.read.ok()) {
      check.state = CacheFileState::kDamaged;
      return check;
    }
    // The not-held mark names its round alone.
    const bool group_named = !read.Kumi.empty() || !Kind::NotHeld(read);
    if (read.Kaisaikai != 0 &&
        (read.Kaisaikai != round || (!any_group && group_named && read.Kumi != group))) {
      check.state = CacheFileState::kMisfiled;
      check.held_round = read.Kaisaikai;
      check.held_group = read.Kumi;
      return check;
    }
    if (Kind::NotHeld(read)) {
      check.state = CacheFileState::kNotHeld;
    } else if (Kind::Usable(read)) {
      check.state = CacheFileState::kUsable;
    } else {
      check.state = CacheFileState::kUnusable;
      return check;
    }
    out = read;
    return check;
  }

  // Reads a file as the cache is read: CheckFile, with the message that
  // says why a file that is there gives nothing.
  bool LoadFile(const std::string& path, int round, const std::string& group, Record& out,
                bool any_group = false) {
    const CacheFileCheck check = CheckFile(path, round, group, out, any_group);
    switch (check.state) {
      case CacheFileState::kDamaged:
        ReportXmlRead(check.read, Kind::Xml::kClass);
        return false;
      case CacheFileState::kUnusable:
        ReportError(Kind::Xml::kClass, "XmlLoad", kXmlMalformed);
        return false;
      case CacheFileState::kMisfiled:
        ReportError(Kind::Xml::kClass, "XmlLoad",
                    path + "\r\n" + MisfiledText(check, round, any_group ? "" : group));
        return false;
      case CacheFileState::kAbsent:
        return false;
      case CacheFileState::kUsable:
      case CacheFileState::kNotHeld:
        break;
    }
    return true;
  }

  const Record& record() const { return record_; }
  bool cancel() const { return cancel_; }
  bool unpublished() const { return unpublished_; }
  // The page was of this other round (the site's answer to a round it does
  // not know); 0 otherwise.
  int other_round() const { return other_round_; }
  bool no_game() const { return no_game_; }
  // The record came from the cache file; a downloaded one was written to it.
  bool from_file() const { return from_file_; }
  bool saved() const { return saved_; }
  typename Kind::Html& html() { return html_; }
  const typename Kind::Html& html() const { return html_; }

 private:
  // Every cache file of this kind is written here and nowhere else: the
  // check of what the cache holds and the write belong together.  A usable
  // file (or the user's not-held mark) stays unless the user asked for a
  // refresh; a file the cache cannot use is no data, and the usable record
  // takes its place.
  bool SaveToCache(const Record& record, bool replace) {
    // Another window or command may be caching the same round: the check
    // and the write happen under the SysData lock.
    SysDataLock lock;
    if (!lock.Locked()) return false;
    if (!replace) {
      Record held;
      const CacheFileState state = CheckFile(Kind::Xml::GetFileName(record.Kaisaikai, record.Kumi),
                                             record.Kaisaikai, record.Kumi, held)
                                       .state;
      if (state == CacheFileState::kUsable || state == CacheFileState::kNotHeld) return false;
    }
    typename Kind::Xml xml;
    xml.SetRecord(record);
    return xml.XmlSave();
  }

  typename Kind::Html html_;
  Record record_;
  bool cancel_ = false;
  bool unpublished_ = false;
  int other_round_ = 0;
  bool no_game_ = false;
  bool from_file_ = false;
  bool saved_ = false;
};

// The service class of one kind (clsSchedule, clsVote, clsResult) around its
// cache-or-download path: the check that Initialize came first, the error
// report at each operation's boundary, the flags of the last Get and the
// message that tells the user why it gave nothing.
template <typename Kind>
class OfficialService {
 public:
  // Must come first; the other operations report "Initialize Err" before.
  void Initialize() { initialized_ = true; }

  // The kind's Get operation (GetSchedule, ...), reported under its name.
  // Mode: kSourceFile, kSourceDownload, kSourceRefresh; with `ask` the user
  // confirms a download first.  True when the record in hand is usable.
  bool Get(int round, const std::string& group, int mode, bool ask) {
    if (!Ready(Kind::kNames.get)) return false;
    bool ok = false;
    try {
      ok = source_.Get(round, group, mode, ask);
    } catch (const std::exception& e) {
      ReportException(Kind::kNames.service, Kind::kNames.get, e);
    }
    record_ = source_.record();
    return ok;
  }

  // The record, and the flags, of the last Get.
  typename Kind::Record Record() const {
    if (!Ready("Record")) return {};
    return record_;
  }
  bool Cancel() const { return Ready("Cancel") && source_.cancel(); }
  bool Unpublished() const { return Ready("Unpublished") && source_.unpublished(); }
  int OtherRound() const { return source_.other_round(); }
  // The record came from the cache file; the download was written to it.
  bool FromFile() const { return source_.from_file(); }
  bool Saved() const { return source_.saved(); }
  // The downloaded page's figures are not final (an interim vote status),
  // so they were not cached.
  bool Interim() const { return !source_.html().Final(); }
  // Tells the user why the last Get gave false (nothing after a refusal).
  void FalseDialog(int round) const {
    ShowFalseDialog(source_.cancel(), source_.unpublished(), source_.other_round(), round,
                    Kind::kNames.title);
  }

  bool ProgressOpen() const { return source_.html().ProgressOpen(); }
  void SetProgressOpen(bool v) { source_.html().SetProgressOpen(v); }
  bool ProgressClose() const { return source_.html().ProgressClose(); }
  void SetProgressClose(bool v) { source_.html().SetProgressClose(v); }

 protected:
  bool Ready(const char* proc) const {
    if (!initialized_) ReportNotInitialized(Kind::kNames.service, proc);
    return initialized_;
  }
  static bool CheckFile(int round, const std::string& group) {
    return FileExists(Kind::Xml::GetFileName(round, group));
  }

  OfficialSource<Kind> source_;
  // The record of the last Get (or of another read the kind adds).
  typename Kind::Record record_;

 private:
  bool initialized_ = false;
};

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_OFFICIAL_SERVICE_H_
