// Singles as plain CSV text: one single per line, the outcome codes of
// matches 1 to 5 separated by ",", CR LF line ends, no header.
#ifndef ZELVOMINI_FILES_CSV_FILE_H_
#define ZELVOMINI_FILES_CSV_FILE_H_

#include <cstdint>
#include <string>
#include <vector>

namespace zelvo {

// One line of a singles file, as the window and the command line read it:
// five fields, each an outcome code 1, 0 or 2 (blanks around it allowed), give
// a single; a line of another number of fields is skipped; a line of five
// fields with one that names no outcome is bad, since taking it for another
// single or dropping it would change the purchase unseen.
enum class CsvLineKind { kSingle, kSkip, kBad };
CsvLineKind ParseCsvLine(const std::string& line, int& single);

// What the window and the command line tell about a singles file (CSV) that
// holds no single, and about a line of one that names no single: the file's
// name, then the reason.
std::string CsvNoSingleMessage(const std::string& path);
std::string CsvBadLineMessage(const std::string& path, int64_t line);
// A first line saved by a UTF-8 editor, without its byte-order mark.
void StripByteOrderMark(std::string& first_line);

class clsTFileCSV {
 public:
  // Writes the first `lngSCount` singles, replacing the file only once the
  // new one is complete.  False (reported under "CsvSave_Sub") on failure.
  bool CsvSave(const std::string& strFileName, int lngSCount, const std::vector<int>& lngSingle);

  // Reads a file in two passes (count the lines, then fill).  `lngSingle`
  // receives one entry per line, of which the first `lngSCount` are the
  // singles of the valid lines (ParseCsvLine); a bad line fails the read
  // with its line number, and so does a file without one single.  A UTF-8
  // byte-order mark is read past.  On failure (reported under "CsvLoad_Sub")
  // the outputs are unchanged.
  bool CsvLoad(const std::string& strFileName, int& lngSCount, std::vector<int>& lngSingle);

  // Appends the file's singles after the current ones (duplicates too).
  bool CsvAdd(const std::string& strFileName, int& lngSCount, std::vector<int>& lngSingle);

  // Removes from the current singles every single the file contains.
  bool CsvDel(const std::string& strFileName, int& lngSCount, std::vector<int>& lngSingle);

  // "Zmini-123A": the name every file of a round and group starts from
  // (documents, CSV files, PDF prints).
  static std::string GetBaseName(int round, const std::string& group);
  // "Zmini-123A.csv".
  static std::string GetCsvFileName(int round, const std::string& group);
  // Round and group read back from a file name made that way, with a round
  // of three or more digits (0 and "" when the name does not tell).
  static int GetKaisaikai(const std::string& path);
  static std::string GetKumi(const std::string& path);
};

}  // namespace zelvo

#endif  // ZELVOMINI_FILES_CSV_FILE_H_
