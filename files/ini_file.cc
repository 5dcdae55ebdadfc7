#include "files/ini_file.h"

#include "support/error_report.h"
#include "support/paths.h"
#include "support/text.h"
#include "support/text_file.h"

namespace zelvo {
namespace {
constexpr const char* kClass = "clsIniFile";
}  // namespace

std::vector<std::pair<std::string, std::string>> clsIniFile::Parse(const std::string& text) {
  std::vector<std::pair<std::string, std::string>> out;
  for (const std::string& raw : Split(text, "\r\n")) {
    std::string line = Trim(raw);
    if (line.empty()) continue;
    if (line.compare(0, 2, "//") == 0 || line[0] == ';') continue;
    size_t eq = line.find('=');
    std::string name, value;
    if (eq == std::string::npos) {
      name = line;
    } else {
      name = Trim(std::string_view(line).substr(0, eq));
      value = Trim(std::string_view(line).substr(eq + 1));
    }
    if (name.empty() || value.empty()) continue;
    out.emplace_back(std::move(name), std::move(value));
  }
  return out;
}

void clsIniFile::Initialize(const std::string& file_name) {
  file_name_ = file_name;
  enabled_ = false;
  entries_.clear();
  folded_.clear();
  std::string text;
  if (!ReadTextFile(ResolveProgramPath(file_name), text, false)) return;
  InitializeFromText(text);
  file_name_ = file_name;
}

void clsIniFile::InitializeFromText(const std::string& text) {
  entries_ = Parse(text);
  folded_.clear();
  folded_.reserve(entries_.size());
  for (const auto& [name, value] : entries_) folded_.emplace_back(FoldCase(name), FoldCase(value));
  enabled_ = true;
}

bool clsIniFile::ItemExists(const std::string& name) const {
  if (!enabled_) {
    ReportNotInitialized(kClass, "ItemExists");
    return false;
  }
  if (name.empty()) return false;
  std::string key = FoldCase(name);
  for (const auto& entry : folded_) {
    if (entry.first == key) return true;
  }
  return false;
}

std::string clsIniFile::GetItem(const std::string& name, const std::string& default_value) const {
  if (!enabled_) {
    ReportNotInitialized(kClass, "GetItem");
    return "";
  }
  if (name.empty()) return default_value;
  std::string key = FoldCase(name);
  for (size_t i = 0; i < folded_.size(); ++i) {
    if (folded_[i].first == key) return entries_[i].second;
  }
  return default_value;
}

bool clsIniFile::KeyExists(const std::string& value) const {
  if (!enabled_) {
    ReportNotInitialized(kClass, "KeyExists");
    return false;
  }
  if (value.empty()) return false;
  std::string key = FoldCase(value);
  for (const auto& entry : folded_) {
    if (entry.second == key) return true;
  }
  return false;
}

std::string clsIniFile::GetKey(const std::string& value) const {
  if (!enabled_) {
    ReportNotInitialized(kClass, "GetKey");
    return "";
  }
  if (value.empty()) return "";
  std::string key = FoldCase(value);
  for (size_t i = 0; i < folded_.size(); ++i) {
    if (folded_[i].second == key) return entries_[i].first;
  }
  return "";
}

}  // namespace zelvo
