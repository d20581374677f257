#pragma once
// The program's whole run, whatever the system's entry point: main on POSIX, wmain on
// Windows (win32/WideMain.cpp), which hands it the arguments in UTF-8.

namespace quarvel_cli {

// Returns the exit status.
int Main(int argc, char** argv);

}  // namespace quarvel_cli
