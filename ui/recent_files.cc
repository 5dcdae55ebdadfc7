#include "ui/recent_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "support/text.h"

namespace zelvo {
namespace {

// One spelling per file, so that a file opened by a relative name and again
// from the dialog is listed once.
std::string Normalised(const std::string& path) {
  std::error_code ec;
  std::filesystem::path p = std::filesystem::absolute(path, ec);
  if (ec) return path;
  return p.lexically_normal().string();
}

}  // namespace

void RecentFiles::Set(const std::vector<std::string>& files) {
  files_.clear();
  for (const std::string& f : files) {
    if (f.empty() || files_.size() >= kMax) continue;
    if (std::find(files_.begin(), files_.end(), f) == files_.end()) files_.push_back(f);
  }
}

void RecentFiles::Add(const std::string& path) {
  if (path.empty()) return;
  const std::string p = Normalised(path);
  Remove(p);
  files_.insert(files_.begin(), p);
  if (files_.size() > kMax) files_.resize(kMax);
}

void RecentFiles::Remove(const std::string& path) {
  files_.erase(std::remove(files_.begin(), files_.end(), path), files_.end());
}

bool RecentFiles::IsStorable(const std::string& path) {
  if (path.empty() || path.find_first_of("\r\n") != std::string::npos) return false;
  // The settings reader trims its values.
  if (Trim(path) != path) return false;
  return FromCp932(ToCp932(path)) == path;
}

std::vector<std::string> RecentFiles::Storable() const {
  std::vector<std::string> out;
  for (const std::string& f : files_) {
    if (IsStorable(f)) out.push_back(f);
  }
  return out;
}

}  // namespace zelvo
