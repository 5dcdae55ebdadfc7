// The start-up procedure shared by the desktop program and the command line.
#ifndef ZELVOMINI_APP_STARTUP_H_
#define ZELVOMINI_APP_STARTUP_H_

namespace zelvo {

// Checks SysData and the four required team-name files in their order (the
// first failure shows its message with the critical icon and stops), loads
// the team-name tables and totoSettings.ini, and creates the lottery-rules
// object.  False when the program must end without opening any window.
bool RunStartupChecks();

}  // namespace zelvo

#endif  // ZELVOMINI_APP_STARTUP_H_
