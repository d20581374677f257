#pragma once

// The system's default beep. Tests count beeps through SetBeepHandler (desktop/TestSeams.h).
void SystemBeep();
