#include "official/html_scrape.h"

#include "official/html_toto.h"
#include "support/error_report.h"
#include "support/text.h"

namespace zelvo {

int MatchNumberText(const std::string& text, int last) {
  if (text.empty() || text.size() > 2 ||
      text.find_first_not_of("0123456789") != std::string::npos || text[0] == '0') {
    return 0;
  }
  int n = std::stoi(text);
  return n >= 1 && n <= last ? n : 0;
}

bool IsDateText(const std::string& text, int year, DateTime* out) {
  DateTime d;
  if (!DateTime::Parse(text, year, d)) return false;
  if (out) *out = d;
  return true;
}

DateTime ConvertDate(const std::string& text, int year) {
  DateTime d;
  if (!DateTime::Parse(text, year, d)) throw RuntimeError(kErrTypeMismatch);
  return d;
}

size_t FindRoundHeading(const std::vector<std::string>& texts, const std::string& cannot_show,
                        const std::string& marker, int& round) {
  for (size_t i = 0; i < texts.size() && texts[i] != cannot_show; ++i) {
    if (clsHtmlToto::GetKaisaikai(texts[i], round, marker)) return i;
  }
  return texts.size();
}

const std::string& TextAt(const std::vector<std::string>& texts, size_t i) {
  if (i >= texts.size()) throw PageRowError{};
  return texts[i];
}

}  // namespace zelvo
