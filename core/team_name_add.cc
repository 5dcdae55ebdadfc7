#include "core/team_name_add.h"

#include "core/toto_data.h"
#include "support/error_report.h"
#include "support/file_lock.h"
#include "support/paths.h"
#include "support/platform.h"
#include "support/text.h"
#include "support/text_file.h"

namespace zelvo {
namespace {

constexpr int kShortNameMax = 6;

void InputError(const std::string& text) {
  platform().MessageBox(text, "入力エラー", MsgIcon::kWarning);
}

// A name is one line of the table: a line break in it would add made-up
// entries that the look-ups then answer from.
bool HasControlCharacter(const std::string& text) {
  for (unsigned char c : text) {
    if (c < 0x20 || c == 0x7F) return true;
  }
  return false;
}

}  // namespace

void TeamNameAdder::Open() {
  long_name_field = LastUnresolvedTeamName();
  short_name_field = ToHalfWidth(long_name_field);
}

bool TeamNameAdder::Add() {
  try {
    // Held from the read to the write, so that a parallel add (another
    // window, the command line) is neither lost nor added twice.
    SysDataLock lock;
    if (!lock.Locked()) return false;
    std::string path = SysDataPath("TeamName3.dat");
    // The file's bytes are kept as they are and the new line goes after
    // them: decoding and re-encoding the whole file would turn bytes that are
    // no CP932 into "?" and drop everything after a NUL.
    std::string bytes;
    if (!FileExists(path)) {
      bytes = ToCp932(kTeamName3Header) + "\r\n";
    } else if (!ReadFileBytes(path, bytes)) {
      ReportError("frmTeamName", "cmdAdd_Click", path + "\r\n" + ErrorDescription(kErrFileIo));
      return false;
    }
    std::string short_name = Trim(short_name_field);
    std::string long_name = Trim(long_name_field);
    if (short_name.empty()) {
      InputError("略称を入力して下さい。");
      return false;
    }
    if (long_name.empty()) {
      InputError("名称を入力して下さい。");
      return false;
    }
    if (HasControlCharacter(short_name_field)) {
      InputError("略称に改行やタブなどの制御文字は使えません。");
      return false;
    }
    if (HasControlCharacter(long_name_field)) {
      InputError("名称に改行やタブなどの制御文字は使えません。");
      return false;
    }
    if (CharCount(short_name_field) > kShortNameMax) {
      InputError("略称は6文字以内で入力して下さい。");
      return false;
    }
    if (clsTotoData().ExistsLongTeamName(long_name)) {
      InputError("名称(" + long_name + ")は既に登録されています。");
      return false;
    }
    std::string padded = short_name;
    for (size_t n = CharCount(short_name); n < kShortNameMax; ++n) padded += ' ';
    // A file edited by hand may lack its final line end.
    if (!bytes.empty() && !bytes.ends_with("\r\n")) bytes += "\r\n";
    bytes += ToCp932(padded + " = " + long_name) + "\r\n";
    // Through the temporary file: a failed write leaves the table as it was.
    if (!WriteFileBytes(path, bytes)) return false;
    LastUnresolvedTeamName().clear();
    platform().MessageBox("チーム名(" + long_name_field + ")を追加しました。", "チーム名追加",
                          MsgIcon::kInformation);
    return true;
  } catch (const std::exception& e) {
    ReportException("frmTeamName", "cmdAdd_Click", e);
    return false;
  }
}

}  // namespace zelvo
