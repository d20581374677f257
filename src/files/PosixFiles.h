#pragma once
// Whole-file reading and safe saving on POSIX, with failures turned into EInOutError
// codes. Used by the level set reader and writer; nothing here knows the file format.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "files/InOutError.h"

namespace quarvel {

// The error for a failed system call on `path`:
//   ENOENT with the folder present -> kFileNotFound; ENOENT with a folder of the path
//   missing (or an empty name), ENOTDIR, ENAMETOOLONG -> kInvalidFilename;
//   EMFILE, ENFILE -> kTooManyOpenFiles; EACCES, EPERM, EROFS, EISDIR -> kFileAccessDenied;
//   ENOSPC, EDQUOT, EFBIG -> kDiskFull; any other -> its own number, "I/O error N".
EInOutError ErrorFromErrno(int err, const std::string& path);

// Reads the start of a regular file: up to buffer.size() bytes, fewer when the file is
// shorter; returns how many. A folder, FIFO, device or socket fails at once with
// kFileAccessDenied and is never read from (it is opened non-blocking, so a FIFO with no
// writer cannot hang). The file is opened for reading only.
std::size_t ReadRegularFileStart(const std::string& path, std::span<std::uint8_t> buffer);

// Makes `path` hold exactly `bytes`, safely: the bytes go to a new file in the same folder,
// which is flushed to the disk (fsync) and then renamed over the target, so that a crash
// leaves the old file or the new one. A symlink is followed to the file it names (the link
// stays); an existing file keeps its permission bits (and owner and group, where they can
// be set); a new file gets 0666 less the umask. An existing target must be a regular file
// that may be written and has a write bit (a file without any is read-only for root too),
// else kFileAccessDenied.
// The file itself is rewritten in place instead where a new file may not take its place:
// it has more than one hard link (each name keeps it), the folder takes no new file (no
// permission, no free inode, no quota left, a read-only mount), the file is mounted on its
// own (as a sandbox shows a single file) or the replacement could not keep its owner.
// Room is reserved beforehand, the new bytes are flushed before the old tail is cut off,
// and if the rewrite fails the old bytes are put back: all of them when the file may be
// read and is at most 4 MiB long. A crash in the middle of a rewrite can leave a mix.
// On failure EInOutError is thrown, no temporary file is left behind and the old file
// keeps its content (rewritten in place: as far as just said). SIGXFSZ cannot end the
// program here: a write past RLIMIT_FSIZE fails as kDiskFull.
void ReplaceFileContent(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace quarvel
