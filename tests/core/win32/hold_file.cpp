// hold_file PATH [--share-read-write]: opens PATH for reading and writing, shared with no
// one (or shared for reading and writing, but not deleting), says "held" on standard
// output, and keeps the file open until standard input ends. The Windows file tests use
// it to show a file that another program holds open.

#include <windows.h>

#include <cstdio>
#include <string_view>

int wmain(int argc, wchar_t** argv) {
  const bool share = argc == 3 && std::wstring_view(argv[2]) == L"--share-read-write";
  if (argc != 2 && !share) {
    std::fputs("usage: hold_file PATH [--share-read-write]\n", stderr);
    return 2;
  }
  const HANDLE file =
      ::CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, share ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "hold_file: error %lu\n", ::GetLastError());
    return 1;
  }
  DWORD written;
  ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), "held\n", 5, &written, nullptr);
  while (std::getchar() != EOF) {
  }
  ::CloseHandle(file);
  return 0;
}
