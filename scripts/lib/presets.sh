# shellcheck shell=bash
# preset_dir PRESET: prints the build folder of a configure preset of CMakePresets.json, as
# `cmake --preset PRESET` makes it, whether or not it is built yet.
quarvel_lib=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd -P)
preset_dir() {
  cmake -D PRESET="$1" -P "$quarvel_lib/binary_dir.cmake"
}
