#pragma once
// Reading and writing level set files (.dag; the layout is in files/DagFormat.h).

#include <cstdint>
#include <string>

#include "files/DagFormat.h"
#include "files/InOutError.h"
#include "model/LevelSet.h"

namespace quarvel {

// Reads the file's levels into target levels 0, 1, 2, ... and leaves the later levels as
// they were. All or nothing: on any failure EInOutError is thrown and `target` is
// unchanged. Returns how many levels were read (at most 256; further blocks are ignored).
//
// The file is opened for reading only, so a read-only file reads. Only a regular file is
// read: a folder, FIFO or device fails at once with kFileAccessDenied. At most the header
// and 256 blocks (75,780 bytes) are read; a file that long or longer loads 256 levels,
// whatever follows. A shorter file of 0 to 3 bytes, or whose length after the header is
// not a whole multiple of 296, fails with kReadBeyondEndOfFile. Any four header bytes pass.
// Open failures: kFileNotFound (no such file in an existing folder), kInvalidFilename (a
// folder of the path missing, not a folder, name too long), kTooManyOpenFiles,
// kFileAccessDenied (access refused); any other platform error N as "I/O error N".
int ReadLevelSetFile(const std::string& FileName, LevelSet& target);

// Writes the header and every playable level, in ascending order, replacing the file.
// On any failure EInOutError is thrown and an existing file keeps its old content.
//
// The bytes are written in one piece to a temporary file beside the target, flushed to the
// disk and put in its place (see ReplaceFileContent in files/SystemFiles.h): a symlink is
// followed and kept, permissions are kept, no temporary file is left behind. A file with
// more than one hard link is rewritten in place, so that every name holds the new set, and
// gets its old bytes back if that fails. An existing file that may not be written, a
// folder or a FIFO fails with kFileAccessDenied; a full disk or a file too large for the
// system's limits with kDiskFull; a missing folder with kInvalidFilename.
void WriteLevelSetFile(const std::string& FileName, const LevelSet& set);

}  // namespace quarvel
