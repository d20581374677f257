#pragma once

// The system's default beep. Tests count beeps through SetBeepHandler (ui/TestSeams.h).
void SystemBeep();
