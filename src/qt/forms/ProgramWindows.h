#pragma once

// The program's three windows as start-up makes them: Form1, then Form2 and Form3
// (hidden), then Form1 shown. The editor's entry and the widget tests both use these.
void CreateProgramWindows();
// Deletes Form3, Form2 and Form1 and clears the three pointers.
void DestroyProgramWindows();
