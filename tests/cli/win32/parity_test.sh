#!/usr/bin/env bash
# parity_test.sh LINUX_PROGRAM WINE WINDOWS_PROGRAM DAG_FIXTURE
# quarvel-levels.exe under Wine against the Linux quarvel-levels, command by command on the
# same odd inputs: standard output, standard error and the status byte for byte (text is
# written with LF line ends on Windows too), the files each side writes byte for byte, and
# PNG pictures by their decoded pixels (ImageMagick). Each command runs in a fresh copy of
# the inputs, on each side in a folder of its own, with the same relative names; a file
# left beside them (an unfinished save) is a difference too.
set -uo pipefail
linux=$1 wine=$2 windows=$3 fixture=$4
for tool in "$linux" "$windows" "$fixture"; do
  if [ ! -x "$tool" ]; then
    echo "parity_test: $tool is missing: build it first (cmake --build --preset plain --target quarvel-levels dag_fixture)" >&2
    exit 2
  fi
done
linux=$(realpath "$linux") windows=$(realpath "$windows") fixture=$(realpath "$fixture")
work=$(mktemp -d "${TMPDIR:-/tmp}/quarvel-parity.XXXXXX")
trap 'rm -rf "$work"' EXIT
in=$work/in
mkdir "$in" "$in/folder.dag"

# The inputs: the core's odd files.
playable="60 2 1 1 0 0,0=1 1,0=2 2,0=3 3,0=4 10,12=5 5,6=6 6,6=7 7,6=8 8,6=9"
"$fixture" "$in/good.dag" "$playable" "9 0 0 0 0 0,0=1" "50 3 3 3 3 1,1=1" "$playable"
"$fixture" "$in/other.dag" "70 1 0 0 0 0,0=2 4,4=4" "$playable" "20 0 0 0 0"
"$fixture" "$in/codes.dag" "30 0 0 0 0 0,0=-1 1,1=10 2,2=1000 3,3=32767 4,4=-32768 10,12=-7" \
  "-5 -1 -1 -1 -1 5,5=99"
"$fixture" "$in/play.dag" "$playable" "$playable" "$playable"
"$fixture" "$in/blank.dag" "$playable" "0 0 0 0 0" "0 0 0 0 0" "$playable"
"$fixture" "$in/header.dag"
levels=()
for i in $(seq 1 260); do levels+=("$((i + 10)) 0 0 0 0 $((i % 11)),$((i % 13))=$((i % 12))"); done
"$fixture" "$in/big.dag" "${levels[@]}"
: >"$in/empty.dag"
printf 'DAG' >"$in/tiny.dag"
{ cat "$in/good.dag"; head -c 7 "$in/other.dag"; } >"$in/tail.dag"
head -c $((4 + 296 + 150)) "$in/good.dag" >"$in/short.dag"
{ printf 'XYZW'; tail -c +5 "$in/good.dag"; } >"$in/badhead.dag"
cp "$in/good.dag" "$in/niveaux-été.dag"
cp "$in/other.dag" "$in/with space.dag"
"$linux" export "$in/codes.dag" -o "$in/codes.txt"
"$linux" export "$in/big.dag" -o "$in/big.txt"
sed 's/$/\r/' "$in/codes.txt" >"$in/crlf.txt"
sed '5s/.*/rubies = lots/' "$in/codes.txt" >"$in/broken.txt"
odd=(good.dag codes.dag blank.dag header.dag big.dag empty.dag tiny.dag tail.dag short.dag badhead.dag)

failures=0
# compare NAME FILE_A FILE_B: PNG pictures by their pixels, anything else byte for byte.
same_content() {
  if [ "${1##*.}" = png ] && [ -s "$2" ] && [ -s "$3" ]; then
    cmp -s <(convert "png:$2" -depth 8 rgba:-) <(convert "png:$3" -depth 8 rgba:-) &&
      [ "$(identify -format '%wx%h' "png:$2")" = "$(identify -format '%wx%h' "png:$3")" ]
  else
    cmp -s "$2" "$3"
  fi
}
# check [--stdin FILE] [--pipe] [--png-out] [--full-out] ARGS...: runs the command on both
# sides and compares. --stdin: standard input is FILE, or with --pipe FILE through a pipe.
# --png-out: standard output is a PNG and is compared by its pixels. --full-out: standard
# output is /dev/full, a full disk.
check() {
  local stdin=/dev/null out_name=out pipe=no full=no
  while :; do
    case "$1" in
      --stdin) stdin=$in/$2; shift 2 ;;
      --pipe) pipe=yes; shift ;;
      --png-out) out_name=out.png; shift ;;
      --full-out) full=yes; shift ;;
      *) break ;;
    esac
  done
  local side
  for side in linux windows; do
    rm -rf "${work:?}/$side"
    cp -a "$in" "$work/$side"
    local program=("$linux")
    [ "$side" = windows ] && program=("$wine" "$windows")
    local out=$work/$side.$out_name
    [ $full = yes ] && out=/dev/full && : >"$work/$side.$out_name"
    local attempt
    for attempt in 1 2; do
      if [ $pipe = yes ]; then
        cat "$stdin" | (cd "$work/$side" && "${program[@]}" "$@") >"$out" 2>"$work/$side.err"
        echo "${PIPESTATUS[1]}" >"$work/$side.status"
      else
        (cd "$work/$side" && "${program[@]}" "$@") <"$stdin" >"$out" 2>"$work/$side.err"
        echo $? >"$work/$side.status"
      fi
      # Wine's own failure, not the program's: its server went away under a loaded run of
      # parallel tests ("wine client error:0: recvmsg: Connection reset by peer"). Once more,
      # on fresh copies of the inputs.
      [ "$side" = windows ] && [ $attempt = 1 ] && grep -q '^wine client error' "$work/$side.err" || break
      echo "parity_test: Wine failed under quarvel-levels $*; running it again" >&2
      rm -rf "${work:?}/$side"
      cp -a "$in" "$work/$side"
    done
  done
  local what bad=()
  for what in "$out_name" err status; do
    same_content "$what" "$work/linux.$what" "$work/windows.$what" || bad+=("$what")
  done
  local file
  while IFS= read -r -d '' file; do
    file=${file#./}
    if [ ! -e "$work/windows/$file" ]; then
      bad+=("$file (Windows did not write it)")
    elif ! same_content "$file" "$work/linux/$file" "$work/windows/$file"; then
      bad+=("$file")
    fi
  done < <(cd "$work/linux" && find . -type f -print0)
  while IFS= read -r -d '' file; do
    file=${file#./}
    [ -e "$work/linux/$file" ] || bad+=("$file (only Windows wrote it)")
  done < <(cd "$work/windows" && find . -type f -print0)
  if [ ${#bad[@]} -gt 0 ]; then
    failures=$((failures + 1))
    echo "DIFFERENT: quarvel-levels $*: ${bad[*]}"
    for what in "$out_name" err status; do
      [ "$out_name" = out.png ] && [ "$what" = out.png ] && continue
      diff <(head -c 2000 "$work/linux.$what") <(head -c 2000 "$work/windows.$what") | head -20
    done
  fi
}

check check "${odd[@]}"
check check --json "${odd[@]}"
check check --strict good.dag blank.dag
check check good.dag
check check missing.dag
check check folder.dag
check check no-folder/x.dag
check check niveaux-été.dag "with space.dag"
check --stdin codes.dag check -
check --stdin big.dag --pipe check --json -
check --stdin tail.dag --pipe check -
check check --bogus good.dag
for f in "${odd[@]}"; do check export "$f"; done
check export codes.dag -o out.txt
check --stdin big.dag export - -o -
check --stdin codes.dag --pipe export -
check --full-out export big.dag
check export niveaux-été.dag -o niveaux-été.txt
check import codes.txt -o new.dag
check import big.txt -o new.dag
check import crlf.txt -o codes.dag
check import broken.txt -o new.dag
check --stdin codes.txt import - -o -
check --stdin crlf.txt import - -o niveaux-été.dag
check --stdin big.txt --pipe import - -o -
check copy other.dag good.dag
check copy good.dag play.dag --start 4 --quantity 1 --after 2
check copy play.dag niveaux-été.dag --drop
check copy other.dag good.dag --start 2 --quantity 1 --after 4
check copy codes.dag good.dag
check copy good.dag blank.dag
check copy good.dag blank.dag --drop
check copy big.dag new.dag --new --start 5 --quantity 3
check copy good.dag other.dag --dry-run
check copy missing.dag good.dag
check copy good.dag folder.dag
check copy good.dag no-folder/new.dag --new
check copy other.dag niveaux-été.dag
check --stdin good.dag copy - play.dag --start 4
check --stdin play.dag copy good.dag - --quantity 1
for pair in "good.dag other.dag" "good.dag good.dag" "codes.dag codes.txt" "big.dag blank.dag" "tail.dag short.dag"; do
  read -r a b <<<"$pair"
  check diff "$a" "$b"
  check diff "$a" "$b" --json
done
check render good.dag -o good.png
check render codes.dag -o codes.png --scale 2
check render big.dag -o big.png
check render good.dag -o good.png --level 4 --scale 3
check --png-out render codes.dag -o - --level 1
check render short.dag -o short.png
check render empty.dag -o empty.png
for size in 32 128 512; do check thumbnail -s "$size" codes.dag thumb.png; done
check thumbnail good.dag thumb.png
check thumbnail badhead.dag thumb.png
check --png-out --stdin good.dag thumbnail - -
check help
check --help
check --version
check nonsense

# Windows alone: standard output whose reader is gone before the program starts (a pipe
# with its reading end closed). Linux's program ends by SIGPIPE; this one ends quietly with
# status 2, having written nothing.
cd "$in"
python3 - "$wine" "$windows" "$work/pipe.err" <<'PY_'
import os, subprocess, sys
read_end, write_end = os.pipe()
os.close(read_end)
for attempt in (1, 2):
    with open(sys.argv[3], "wb") as err:
        status = subprocess.run(sys.argv[1:3] + ["export", "big.dag"], stdout=write_end, stderr=err).returncode
    # Wine's own failure, as in check above: once more.
    with open(sys.argv[3], "rb") as err:
        if attempt == 2 or not err.read().startswith(b"wine client error"):
            break
sys.exit(0 if status == 2 else 1)
PY_
status=$?
if [ "$status" -ne 0 ] || [ -s "$work/pipe.err" ]; then
  failures=$((failures + 1))
  echo "DIFFERENT: export to a pipe with no reader: not status 2 and silent: $(cat "$work/pipe.err")"
fi

[ "$failures" -eq 0 ] || echo "parity_test: $failures commands differ"
[ "$failures" -eq 0 ]
