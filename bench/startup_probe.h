#pragma once

class QWidget;

// Start-up measurement shared by the program's benchmark copy and the floor
// program, so both are timed the same way.
//
// MarkMainEntry() notes the time main() was entered. WatchFirstPaint(window) waits
// for the first paint of `window`; once it is on screen it prints one line
//   startup <name> from_exec_ms=... from_main_ms=... vmhwm_kb=... vmrss_kb=...
// and, when GAS_EXIT_AFTER_SHOW is set, quits the application. The time from exec
// counts from GAS_LAUNCH_TIME (wall-clock seconds with a fraction, as bash's
// $EPOCHREALTIME gives it, taken just before the program is started) or, without
// it, from the process start time in /proc/self/stat (10 ms steps).
void MarkMainEntry();
void WatchFirstPaint(QWidget *window, const char *name);
