#include "files/ContentKind.h"

#include <algorithm>

#include "files/DagFormat.h"
#include "files/InOutError.h"
#include "files/SystemFiles.h"
#include "files/TextForm.h"

namespace quarvel {

ContentKind ContentKindOf(std::span<const std::uint8_t> start, std::uint64_t length) {
  if (start.empty()) return ContentKind::Empty;
  if (start.size() >= sizeof kPngSignature &&
      std::equal(std::begin(kPngSignature), std::end(kPngSignature), start.begin()))
    return ContentKind::Png;
  switch (FormOfSetFile(start)) {
    case SetFileForm::LevelSet:
      return ContentKind::LevelSet;
    case SetFileForm::Text:
      return ContentKind::Text;
    case SetFileForm::Other:
      break;
  }
  if (LevelSetFileShape{length}.Readable() && std::find(start.begin(), start.end(), 0) != start.end())
    return ContentKind::LevelSet;
  return ContentKind::Other;
}

ContentKind ContentKindOfFile(const std::string& path) {
  std::uint8_t start[kContentKindStart];
  std::size_t got = 0;
  try {
    got = ReadRegularFileStart(path, start);
  } catch (const EInOutError&) {
    return ContentKind::Other;
  }
  return ContentKindOf({start, got}, FileLength(path).value_or(0));
}

}  // namespace quarvel
