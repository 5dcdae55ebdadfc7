// The program's version text and copyright notice.
#ifndef ZELVOMINI_SUPPORT_VERSION_H_
#define ZELVOMINI_SUPPORT_VERSION_H_

#include <string>

namespace zelvo {

// Major, ".", the minor as two digits, and "." with the revision when the
// revision is above zero: "1.00", "1.02.3".
std::string ProgramVersionText();
std::string ProgramVersionText(int major, int minor, int revision);
// The copyright line written as the second line of every settings file and
// document, and shown on the splash window.
std::string CopyrightNotice();

}  // namespace zelvo

#endif  // ZELVOMINI_SUPPORT_VERSION_H_
