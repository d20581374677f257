# shellcheck shell=bash
# The version and its date, from cmake/Release.cmake (the build's own), and the time that
# reproducible builds give their files.
quarvel_lib=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd -P)

# release_fact NAME: prints NAME of cmake/Release.cmake (QUARVEL_RELEASE_VERSION,
# QUARVEL_RELEASE_DATE, QUARVEL_RELEASE_DATE_RFC2822).
release_fact() {
  cmake -D FACT="$1" -P "$quarvel_lib/release.cmake"
}

# source_date_epoch: exports SOURCE_DATE_EPOCH, the time of every file a build packs, unless
# it is set: the commit's time in a git checkout of this tree, else (an unpacked source) the
# release date, as dpkg-buildpackage takes the changelog's.
source_date_epoch() {
  if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    local source
    source=$(cd "$quarvel_lib/../.." && pwd -P)
    if [ "$(git -C "$source" rev-parse --show-toplevel 2>/dev/null)" = "$source" ]; then
      SOURCE_DATE_EPOCH=$(git -C "$source" log -1 --format=%ct)
    else
      SOURCE_DATE_EPOCH=$(date -d "$(release_fact QUARVEL_RELEASE_DATE_RFC2822)" +%s)
    fi
  fi
  export SOURCE_DATE_EPOCH
}
