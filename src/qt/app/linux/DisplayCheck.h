#pragma once

// Whether the windowing system Qt is about to use has a display to open. Without one Qt
// aborts with a core dump, so main asks first, before the application object exists.
//
// The platform is the one Qt will pick: QT_QPA_PLATFORM (a ";" list Qt tries in turn), or
// when that is unset X11 or Wayland, whichever answers. When QT_QPA_PLATFORM is unset and
// a Wayland compositor answers, this sets it so that Qt runs on Wayland (X11 second, when
// an X display opens too). Qt's Wayland platform plugin is a package of its own: without
// it the check names X11 (XWayland) for Qt, or says what to install when no X display
// opens either.
// xcb needs an X server that accepts a connection on DISPLAY; wayland needs the
// compositor's socket (WAYLAND_DISPLAY, or an inherited WAYLAND_SOCKET). Any other
// platform (offscreen, minimal, vnc, eglfs...) is left to Qt.
//
// On failure prints one line on standard error, saying what is missing and how to get a
// display, and returns false; the caller then ends with status 1. programPath (argv[0])
// names the program in that line.
bool CheckGraphicalDisplay(const char* programPath);

// Closes the X connection the check opened; called once Qt has opened its own. Until then
// the check's connection keeps a server with no other client from resetting in between.
void EndDisplayCheck();
