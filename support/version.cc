#include "support/version.h"

#ifndef ZELVO_VERSION_MAJOR
#define ZELVO_VERSION_MAJOR 1
#define ZELVO_VERSION_MINOR 0
#define ZELVO_VERSION_REVISION 0
#endif

namespace zelvo {

std::string ProgramVersionText(int major, int minor, int revision) {
  std::string minor_text = std::to_string(minor);
  if (minor_text.size() < 2) minor_text.insert(0, 1, '0');
  std::string out = std::to_string(major) + "." + minor_text;
  if (revision > 0) out += "." + std::to_string(revision);
  return out;
}

std::string ProgramVersionText() {
  return ProgramVersionText(ZELVO_VERSION_MAJOR, ZELVO_VERSION_MINOR, ZELVO_VERSION_REVISION);
}

std::string CopyrightNotice() { return "Copyright (C) 2026 Zelvo mini developers"; }

}  // namespace zelvo
