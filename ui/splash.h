// frmLoadX, the splash window shown while the main window loads.
#ifndef ZELVOMINI_UI_SPLASH_H_
#define ZELVOMINI_UI_SPLASH_H_

#include <string>

#include "support/error_report.h"
#include "support/version.h"

namespace zelvo {

class frmLoadX {
 public:
  void Load() { lblCopyright = CopyrightNotice(); }
  std::string Title() const { return kAppTitle; }
  std::string Version() const { return "Version " + ProgramVersionText(); }

  std::string lblCopyright;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_SPLASH_H_
