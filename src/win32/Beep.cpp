#include "win32/Beep.h"

#include <windows.h>

namespace win32 {

namespace {
void DefaultBeep() { ::MessageBeep(MB_OK); }
void (*beepHandler)() = DefaultBeep;
}  // namespace

void SystemBeep() { beepHandler(); }

void SetBeepHandler(void (*handler)()) { beepHandler = handler ? handler : DefaultBeep; }

}  // namespace win32
