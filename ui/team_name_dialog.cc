#include "ui/team_name_dialog.h"

#include "support/error_report.h"

namespace zelvo {

void frmTeamName::Load() {
  closed_ = false;
  result_ = false;
  try {
    adder_.Open();
  } catch (const std::exception& e) {
    ReportException("frmTeamName", "Form_Load", e);
  }
}

bool frmTeamName::Add() {
  if (!adder_.Add()) return false;
  result_ = true;
  closed_ = true;
  return true;
}

}  // namespace zelvo
