// The about window: the program's name, its version and copyright, and the
// attributions of the team-name data it ships (data/ATTRIBUTION.md, built
// into the program so that it travels with every copy).
#ifndef ZELVOMINI_UI_ABOUT_WINDOW_H_
#define ZELVOMINI_UI_ABOUT_WINDOW_H_

#include <string>

namespace zelvo {

class frmAbout {
 public:
  static constexpr const char* kTitle = "バージョン情報";

  std::string ProgramName() const;
  // "Version 1.00"
  std::string VersionText() const;
  std::string Copyright() const;
  // The attribution page as Markdown.
  static const char* Attributions();
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_ABOUT_WINDOW_H_
