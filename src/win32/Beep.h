#pragma once
// The beep of a key a field refuses.

namespace win32 {

// The system's default beep, or what a test put in its place.
void SystemBeep();
void SetBeepHandler(void (*handler)());

}  // namespace win32
