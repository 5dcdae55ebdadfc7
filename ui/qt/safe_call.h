// Every Qt slot runs through here: an exception that escaped a controller
// would end the program inside Qt's event loop, so it goes to the common
// error report and the window stays usable.
#ifndef ZELVOMINI_UI_QT_SAFE_CALL_H_
#define ZELVOMINI_UI_QT_SAFE_CALL_H_

#include <exception>
#include <new>

#include "support/error_report.h"

namespace zelvo {

template <class Fn>
void SafeCall(const char* class_name, const char* proc, Fn&& fn) noexcept {
  try {
    fn();
  } catch (const std::exception& e) {
    try {
      ReportException(class_name, proc, e);
    } catch (...) {
    }
  } catch (...) {
    try {
      ReportException(class_name, proc, RuntimeError(kErrInvalidCall));
    } catch (...) {
    }
  }
}

}  // namespace zelvo

#endif  // ZELVOMINI_UI_QT_SAFE_CALL_H_
