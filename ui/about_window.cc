#include "ui/about_window.h"

#include "support/error_report.h"
#include "support/version.h"
#include "ui/attribution_text.h"

namespace zelvo {

std::string frmAbout::ProgramName() const { return kAppTitle; }

std::string frmAbout::VersionText() const { return "Version " + ProgramVersionText(); }

std::string frmAbout::Copyright() const { return CopyrightNotice(); }

const char* frmAbout::Attributions() { return kAttributionMarkdown; }

}  // namespace zelvo
