#pragma once
// A browser's file failures as the editor's I/O errors: the name of the DOMException a
// picker, a handle, a file or a writable stream rejects with, and the error whose message
// the error box shows.

#include <string_view>

#include "files/InOutError.h"

namespace web {

struct BrowserFailure {
  std::string_view Name;
  const quarvel::InOutCode& Code;
};

inline constexpr BrowserFailure kBrowserFailures[] = {
    {"NotFoundError", quarvel::kFileNotFound},                   // gone since it was picked
    {"NotAllowedError", quarvel::kFileAccessDenied},             // permission refused
    {"SecurityError", quarvel::kFileAccessDenied},               // refused by policy
    {"NoModificationAllowedError", quarvel::kFileAccessDenied},  // read-only, or locked
    {"NotReadableError", quarvel::kFileAccessDenied},            // unreadable, or changed
    {"InvalidStateError", quarvel::kFileAccessDenied},           // changed on disk meanwhile
    {"TypeMismatchError", quarvel::kFileAccessDenied},           // a folder where a file was
    {"InvalidModificationError", quarvel::kFileAccessDenied},    // the write was refused
    {"EncodingError", quarvel::kInvalidFilename},                // a name the system refuses
    {"QuotaExceededError", quarvel::kDiskFull},                  // no room left
};

// The error for the failure named `name`; an unknown one is refused access.
inline quarvel::EInOutError FromBrowser(std::string_view name) {
  for (const BrowserFailure& failure : kBrowserFailures)
    if (failure.Name == name) return quarvel::EInOutError(failure.Code);
  return quarvel::EInOutError(quarvel::kFileAccessDenied);
}

}  // namespace web
