#pragma once
// The event loop, which the program and every modal window run.

namespace win32 {

// Takes and hands on events until `done` holds or the program is asked to quit (then the
// quit message is posted again for the outer loop). Tab and Shift+Tab move through the
// controls of the window an event belongs to. Returns false when the program quits.
bool RunEventLoop(const bool& done);

}  // namespace win32
