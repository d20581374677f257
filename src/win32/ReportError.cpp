#include "win32/ReportError.h"

#include <windows.h>

#include "editor/ErrorReport.h"
#include "win32/MessageBox.h"
#include "win32/ProgramTitle.h"
#include "win32/Text.h"

namespace win32 {

void ReportError(const std::exception& error) {
  // A button held down when the error struck would never see its release behind the box.
  ::ReleaseCapture();
  // The box speaks for the window the error struck in: the one active in this thread.
  ShowMessageBox(::GetActiveWindow(), Widen(quarvel::ErrorReportText(error)), ProgramTitle(), TMessageBoxStyle::Error);
}

void Dispatch(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    ReportError(error);
  }
}

}  // namespace win32
