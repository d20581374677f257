// The program icon as Windows picks it from QuarvelEdit.exe for each place it shows it
// (16 pixels in a title bar at 100 %, 20 at 125 %, 24 at 150 %, 32, 40 and 48 on the
// desktop and in Explorer's views, up to 256 for its largest): a picture of exactly that
// size, so Windows shrinks none, and drawn crisp, every pixel one of the drawing's colours,
// none of them blended, inside its frame.
//   icon_sizes QUARVELEDIT.EXE
#include <windows.h>

#include <cstdio>
#include <set>

namespace {

// The colours of the drawings (picture/ProgramIcon*.xpm), opaque.
const std::set<DWORD> kColours = {0xFFFFFFFF, 0xFFC0C0C0, 0xFF808080, 0xFF404040,
                                  0xFF008080, 0xFF000080, 0xFF0000FF, 0xFF000000};
constexpr DWORD kWhite = 0xFFFFFFFF, kSilver = 0xFFC0C0C0;

int failures = 0;
void Fail(int size, const char* what) {
  std::printf("FAIL: %d pixels: %s\n", size, what);
  ++failures;
}

void CheckSize(HMODULE program, BYTE* group, int size) {
  const int id = ::LookupIconIdFromDirectoryEx(group, TRUE, size, size, LR_DEFAULTCOLOR);
  const HRSRC found = id ? ::FindResourceW(program, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(3)) : nullptr;
  if (!found) return Fail(size, "no picture");
  const auto* header = static_cast<const BITMAPINFOHEADER*>(::LockResource(::LoadResource(program, found)));
  if (header->biWidth != size || header->biHeight != 2 * size) return Fail(size, "Windows picks another size");
  if (header->biBitCount != 32) return Fail(size, "not 32 bits a pixel");
  // Rows from the bottom up.
  const auto* pixels = reinterpret_cast<const DWORD*>(reinterpret_cast<const BYTE*>(header) + header->biSize);
  auto at = [&](int x, int y) { return pixels[(size - 1 - y) * size + x]; };
  for (int i = 0; i < size * size; ++i)
    if (!kColours.count(pixels[i])) return Fail(size, "a pixel of a colour not drawn: blended or not opaque");
  // The frame: white at the top and the left, silver at the bottom and the right.
  const int middle = size / 2, last = size - 1;
  if (at(0, 0) != kWhite || at(middle, 0) != kWhite || at(0, middle) != kWhite || at(last, last) != kSilver ||
      at(middle, last) != kSilver || at(last, middle) != kSilver)
    return Fail(size, "the frame is broken");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: icon_sizes QUARVELEDIT.EXE\n");
    return 2;
  }
  const HMODULE program = ::LoadLibraryExW(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  const HRSRC groupResource = program ? ::FindResourceW(program, L"MAINICON", MAKEINTRESOURCEW(14)) : nullptr;
  if (!groupResource) {
    std::printf("FAIL: no icon MAINICON in the program\n");
    return 1;
  }
  auto* group = static_cast<BYTE*>(::LockResource(::LoadResource(program, groupResource)));
  for (int size : {16, 20, 24, 32, 40, 48, 64, 96, 128, 256}) CheckSize(program, group, size);
  if (failures) return 1;
  std::printf("PASS\n");
  return 0;
}
