#pragma once
#include <functional>

// The system's default beep. Tests replace it to count beeps.
void SystemBeep();
void SetBeepHandler(std::function<void()> handler);  // empty: the real beep
