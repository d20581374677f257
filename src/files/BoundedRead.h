#pragma once
// Reading to the end or to a bound, for both sides of the door (files/SystemFiles.h): the
// buffer grows with what arrives and never past the bound, so endless input ends there.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "files/SystemFiles.h"

namespace quarvel {

// Reads with `readSome(data, room)`, which returns how many bytes it put at `data` (0 at
// the end) or throws, until the end or `limit` bytes and one more (then Cut, the extra byte
// dropped). `expected`: the length the input is known to have, read at once (and one byte
// more, to see the end) when it is within the bound; 0 when unknown.
template <typename ReadSome>
BoundedBytes ReadBounded(std::size_t limit, std::size_t expected, ReadSome readSome) {
  BoundedBytes in;
  std::size_t kept = 0;
  for (;;) {
    if (kept == in.Bytes.size()) {
      if (kept > limit) break;
      const std::size_t first = expected > 0 && expected <= limit ? expected + 1 : std::size_t{1} << 16;
      const std::size_t wanted = std::max<std::size_t>(kept * 2, first);
      in.Bytes.resize(limit == SIZE_MAX ? wanted : std::min(wanted, limit + 1));
    }
    const std::size_t got = readSome(in.Bytes.data() + kept, in.Bytes.size() - kept);
    if (got == 0) break;
    kept += got;
  }
  in.Cut = kept > limit;
  in.Bytes.resize(std::min(kept, limit));
  return in;
}

}  // namespace quarvel
