// The reader of the one-name-equals-one-value text syntax shared by the
// settings files, the team-name tables and the maker's version list.
#ifndef ZELVOMINI_FILES_INI_FILE_H_
#define ZELVOMINI_FILES_INI_FILE_H_

#include <string>
#include <utility>
#include <vector>

namespace zelvo {

class clsIniFile {
 public:
  // Reads the file (relative paths by the program path rule) without the
  // missing-file message, and parses it.  Enabled only when the file was read.
  void Initialize(const std::string& file_name);
  // Parses a text that did not come from a file (a downloaded list).
  void InitializeFromText(const std::string& text);

  bool Enabled() const { return enabled_; }
  const std::string& FileName() const { return file_name_; }
  int Count() const { return static_cast<int>(entries_.size()); }
  const std::vector<std::pair<std::string, std::string>>& Entries() const { return entries_; }

  // Look-ups compare case-insensitively and return the first match in file
  // order; an empty argument matches nothing.  On a reader that is not
  // Enabled they report "Initialize Err" and give false or "".
  bool ItemExists(const std::string& name) const;
  std::string GetItem(const std::string& name, const std::string& default_value) const;
  bool KeyExists(const std::string& value) const;
  std::string GetKey(const std::string& value) const;

  // The syntax: lines at CR LF, trimmed; empty, "//" and ";" lines skipped;
  // split at the first "="; kept only when name and value are both non-empty.
  static std::vector<std::pair<std::string, std::string>> Parse(const std::string& text);

 private:
  std::string file_name_;
  bool enabled_ = false;
  // Folded names and values for the case-insensitive look-ups.
  std::vector<std::pair<std::string, std::string>> entries_;
  std::vector<std::pair<std::string, std::string>> folded_;
};

}  // namespace zelvo

#endif  // ZELVOMINI_FILES_INI_FILE_H_
