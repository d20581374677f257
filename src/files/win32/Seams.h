#pragma once
// What the tests of the Windows file layer reach beneath the door (files/SystemFiles.h):
// failures that Wine never gives, where Windows does (a scanner holding the file being
// replaced, a delete refused, a read error, a file system without POSIX renames), and the
// console's close events, which Wine never sends. Outside the tests no hook is set and
// every call runs as it is.

#include <windows.h>

namespace quarvel::win32 {

enum class SystemCall {
  RenameByHandle,  // SetFileInformationByHandle(FileRenameInfoEx): the replacing rename
  MoveFile,        // MoveFileExW: the rename where the first is refused
  Delete,          // removing the temporary file
  Read,            // ReadFile
  // CreateFileW or MoveFileExW given a name of MAX_PATH characters or more without the
  // \\?\ prefix, which Windows refuses (206) unless the system's LongPathsEnabled is on.
  UnprefixedLongName,
};

// Called before each of those calls: 0 lets it run, anything else is the error number that
// it fails with instead. nullptr (the default) lets every call run.
using SystemCallHook = DWORD (*)(SystemCall call);
void SetSystemCallHook(SystemCallHook hook);

// The console control handler that the first save installs (SetConsoleCtrlHandler). With a
// save under way, Ctrl+C and Ctrl+Break let it finish, and it ends the program; closing the
// console, logging off and shutting down wait for it (within the time Windows gives), and
// it ends the program too. With none, it returns FALSE: the next handler ends the program.
// From then on no new save starts.
BOOL WINAPI OnConsoleControl(DWORD event);

}  // namespace quarvel::win32
