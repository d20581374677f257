#pragma once
// The report of an error that escaped a handler, and the dispatch that runs handlers so.

#include <exception>
#include <functional>

namespace win32 {

// Shows the error's report (editor/ErrorReport.h) under the program title, with the error
// icon, in a box owned by the active window. A mouse hold is let go first.
void ReportError(const std::exception& error);

// Runs a handler; an error escaping it goes to ReportError.
void Dispatch(const std::function<void()>& handler);

}  // namespace win32
