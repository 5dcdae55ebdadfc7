// The about window: the program's name and version, what it does, and the
// sources and licences of the team-name data and the libraries it ships
// with, written for the user.  The licence texts are shown as they are.
#ifndef ZELVOMINI_UI_ABOUT_WINDOW_H_
#define ZELVOMINI_UI_ABOUT_WINDOW_H_

#include <string>
#include <vector>

namespace zelvo {

class frmAbout {
 public:
  static constexpr const char* kTitle = "バージョン情報";

  struct LicenceText {
    std::string title;  // the tab's caption
    std::string text;   // word for word
  };

  std::string ProgramName() const;
  // "バージョン 1.00"
  std::string VersionText() const;
  std::string Copyright() const;
  // What the program does, the data's sources and the libraries (Markdown).
  std::string Description() const;
  // The full licence texts the data sources require to travel with it.
  std::vector<LicenceText> Licences() const;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_ABOUT_WINDOW_H_
