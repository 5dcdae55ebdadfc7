// Documents (.tpd) and conditions files (.tpj): line-oriented CP932 text with
// CR LF line ends, one "Name = value" line per field, and blocks for the
// singles, the run log and the vote status in force at save time.
#ifndef ZELVOMINI_FILES_TPD_FILE_H_
#define ZELVOMINI_FILES_TPD_FILE_H_

#include <functional>
#include <string>

#include "files/document_record.h"
#include "official/vote_record.h"
#include "support/date_time.h"

namespace zelvo {

inline constexpr int kTpdDataVersion = 6;

// The embedded vote status: the record as the "<投票状況>" element and back.
// The default pair is the vote status XML of the official data; tests and
// tools may set their own.
using VoteXmlWriter = std::function<std::string(const VoteStatusRecord& vote)>;
using VoteXmlReader = std::function<bool(const std::string& text, VoteStatusRecord& vote)>;
VoteXmlWriter DefaultVoteXmlWriter();
VoteXmlReader DefaultVoteXmlReader();

class clsTFileTPD {
 public:
  clsTFileTPD();

  // True when the first eight lines name this program and the expected kind
  // (`document` true: a document, false: a conditions file); `data_version`
  // receives the head's DataVersion (0 when it has none).  A file that cannot
  // be opened or has fewer than eight lines is reported when `report` is set.
  bool DataTypeCheck(const std::string& file_name, bool document, int& data_version,
                     bool report = true);

  // Writes the document or conditions file whole to a temporary file and
  // puts it in place only once complete, so the previous file survives a
  // failed save.  Failures are reported under "Save" when `report` is set.
  bool SaveFile(const std::string& file_name, bool document, const DocumentRecord& record,
                bool report);

  // Reads every recognised key into `record`, which the caller fills with the
  // current document beforehand: absent keys keep their values.  On failure
  // (reported under "Load" when `report` is set) the record may be partly
  // changed; callers load into a copy.
  bool LoadFile(const std::string& file_name, DocumentRecord& record, bool report = true);
  // Why the last DataTypeCheck, SaveFile or LoadFile failed ("description ( number )"),
  // reported or not.
  const std::string& LastFault() const { return last_fault_; }
  // What the user can fix when the last LoadFile refused a value it can name
  // (a value range whose minimum is above its maximum); "" otherwise.
  const std::string& LastReason() const { return last_reason_; }

  VoteXmlWriter vote_to_xml;
  VoteXmlReader xml_to_vote;

 private:
  // The bytes SaveFile writes; throws on a record that cannot be written so
  // that it reads back the same.
  std::string BuildFileBytes(bool document, const DocumentRecord& record);

  std::string last_fault_;
  std::string last_reason_;
};

// Old documents (data version 4 or lower) name their vote status by round and
// date instead of embedding it; the round document looks the archived file up.
using OldVoteFileFn = std::function<bool(int round, const DateTime& date, VoteStatusRecord& vote)>;

struct DocumentLoadInfo {
  bool wrong_type = false;  // DataTypeCheck refused the file
  int data_version = 0;
  bool vote_from_file = false;  // doc.Vote came from the file or an archived vote file
  // Why the file did not open: the warning, and the fault that led to it.
  std::string fault;
};

// Opening a document (`whole`) or a conditions file into `doc`, as the main
// window and the batch run do it: the file-type check, the new-document reset
// (or the conditions reset), the read, and the vote status of old documents.
// With `dialog` the user is told "Zelvo miniのファイルではありません。" or
// "ファイルの読込に失敗しました。", and nothing more: a file of another kind or
// one cut short is an expected condition, not a fault of the program.  The load is all or nothing:
// on failure `doc` is unchanged.  A conditions file changes only the conditions and the multi.
bool LoadDocumentFile(clsTFileTPD& tpd, const std::string& file_name, bool whole, bool dialog,
                      DocumentRecord& doc, const OldVoteFileFn& old_vote_file = {},
                      DocumentLoadInfo* info = nullptr);

}  // namespace zelvo

#endif  // ZELVOMINI_FILES_TPD_FILE_H_
