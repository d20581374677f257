#!/usr/bin/env bash
# The installed thumbnailer entry's command, run exactly as written in it (%i, %o, %s and
# %u filled in), as thumbnail services run it: no environment but a PATH to the install,
# no home folder, a short time limit. On a level set at two sizes it writes, quietly, a
# PNG fitted to the size whose colours are all the editor's grid's (nothing blended) and
# that is not blank; into an empty file made beforehand too, as some services do, and
# into that file alone in a read-only /tmp (a sandbox). On a file it cannot draw it fails
# and leaves no output file.
# Usage: thumbnailer_test.sh BUILD-DIR APP-ID DAG-FIXTURE
set -euo pipefail
build=${1:?usage: $0 BUILD-DIR APP-ID DAG-FIXTURE} id=${2:?} dag_fixture=${3:?}
source "$(dirname "$0")/installed_files.sh"
tmp=$(mktemp -d /tmp/quarvel-thumbnailer.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
type=application/x-quarvel-level-set

stage_install "$build" "$tmp/root" /usr
usr="$tmp/root/usr"
entry="$usr/share/thumbnailers/$id.thumbnailer"
[ "$(head -n1 "$entry")" = "[Thumbnailer Entry]" ] || fail "$id.thumbnailer does not start with [Thumbnailer Entry]"
grep -qxF "MimeType=$type;" "$entry" || fail "$id.thumbnailer is not for $type"
try_exec=$(sed -n 's/^TryExec=//p' "$entry")
[ -x "$usr/bin/$try_exec" ] || fail "TryExec=$try_exec is not installed in bin"
exec_line=$(sed -n 's/^Exec=//p' "$entry")
[ -n "$exec_line" ] || fail "$id.thumbnailer has no Exec line"

# Runs the Exec line on input $1, output $2, size $3; its output goes to $tmp/out and
# $tmp/err, its status to $rc.
run_entry() {
  local input=$1 output=$2 size=$3 word
  local -a command=()
  read -r -a words <<<"$exec_line"
  for word in "${words[@]}"; do
    word=${word//%i/$input}
    word=${word//%u/file://$input}
    word=${word//%o/$output}
    word=${word//%s/$size}
    command+=("${word//%%/%}")
  done
  rc=0
  (cd "$tmp/work" && exec env -i PATH="$usr/bin:/usr/bin:/bin" timeout 10 "${command[@]}") >"$tmp/out" 2>"$tmp/err" || rc=$?
}

colours() { convert "$1" -depth 8 -unique-colors txt:- | sed -n 's/.*\(#[0-9A-F]\{6\}\).*/\1/p' | sort -u; }

mkdir "$tmp/work" "$tmp/thumbs"
sets="$tmp/sets"
mkdir "$sets"
"$dag_fixture" "$sets/pack.dag" "0 0 0 0 0" "60 0 2 0 0 0,0=1 1,0=2 2,0=3 3,0=4 4,0=5 5,6=6 6,6=7 7,6=8 8,6=9 10,12=1"
"$usr/bin/quarvel-levels" render "$sets/pack.dag" --level 2 -o "$tmp/grid.png"
colours "$tmp/grid.png" >"$tmp/grid.colours"

for size in 128 512; do
  out="$tmp/thumbs/pack-$size.png"
  [ "$size" = 512 ] && : >"$out"
  run_entry "$sets/pack.dag" "$out" "$size"
  [ "$rc" -eq 0 ] || { cat "$tmp/err" >&2; fail "at size $size the thumbnailer ended with status $rc"; }
  [ ! -s "$tmp/out" ] && [ ! -s "$tmp/err" ] || { cat "$tmp/out" "$tmp/err" >&2; fail "at size $size the thumbnailer was not quiet"; }
  read -r width height <<<"$(identify -format '%w %h %m' "$out" | awk '$3 == "PNG" {print $1, $2}')"
  [ "${height:-0}" -eq "$size" ] && [ "$width" -le "$size" ] && [ "$width" -gt $((size / 2)) ] ||
    fail "the $size thumbnail is not a PNG fitted to $size x $size: $(identify "$out" 2>&1)"
  colours "$out" >"$tmp/thumb.colours"
  blended=$(comm -23 "$tmp/thumb.colours" "$tmp/grid.colours")
  [ -z "$blended" ] || fail "the $size thumbnail has colours the grid has not (blended): $(echo $blended)"
  [ "$(wc -l <"$tmp/thumb.colours")" -ge 20 ] || fail "the $size thumbnail is all but blank: $(wc -l <"$tmp/thumb.colours") colours"
  echo "size $size: ${width}x$height, $(wc -l <"$tmp/thumb.colours") colours, all the grid's"
done

# A sandbox that shows the thumbnailer only the output file, mounted on its own, in a
# read-only /tmp or a writable one, as some services do: the picture is written into that
# file. Needs a mount namespace of our own (unshare as root); without one this is left out.
if unshare -m --propagation private true 2>/dev/null; then
  sandboxed=$(declare -f run_entry; declare -p exec_line usr tmp)
  for tmp_mode in ro rw; do
    out="$tmp/thumbs/sandboxed-$tmp_mode.png"
    : >"$out"
    : >"$tmp/out"
    : >"$tmp/err"
    rc=0
    # (what the thumbnailer says goes to $tmp/out and $tmp/err, kept writable for the test)
    unshare -m --propagation private bash -c "$sandboxed
      mount --bind /tmp /tmp && mount -o remount,$tmp_mode,bind /tmp || exit 99
      for file in '$out' '$tmp/out' '$tmp/err'; do
        mount --bind \$file \$file && mount -o remount,rw,bind \$file || exit 99
      done
      run_entry '$sets/pack.dag' '$out' 256
      exit \$rc" || rc=$?
    [ "$rc" -ne 99 ] || fail "could not set up the sandbox"
    [ "$rc" -eq 0 ] || { cat "$tmp/err" >&2; fail "in a sandbox ($tmp_mode /tmp) the thumbnailer ended with status $rc"; }
    [ "$(identify -format '%m %h' "$out")" = "PNG 256" ] || fail "in a sandbox ($tmp_mode /tmp) no picture was written"
    [ -z "$(find "$tmp/thumbs" -name '*.saving-*')" ] || fail "in a sandbox ($tmp_mode /tmp) a temporary file was left"
    echo "sandboxed, $tmp_mode /tmp: the picture written into the output file alone"
  done
else
  echo "sandboxed: left out, no mount namespace"
fi

printf 'DAG\0' >"$sets/cut.dag"
head -c 100 "$sets/pack.dag" >>"$sets/cut.dag"
printf 'not a level set, though named like one\n' >"$sets/notes.dag"
mkdir "$sets/folder.dag"
for bad in missing.dag cut.dag notes.dag folder.dag; do
  out="$tmp/thumbs/$bad.png"
  run_entry "$sets/$bad" "$out" 256
  [ "$rc" -ne 0 ] || fail "the thumbnailer drew $bad"
  [ ! -e "$out" ] || fail "the thumbnailer left an output file for $bad"
  echo "$bad: status $rc, $(cat "$tmp/err")"
done
echo "PASS"
