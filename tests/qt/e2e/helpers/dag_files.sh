# Level set files, made and compared with the dag_fixture tool (tests/support): the one
# encoder of the tests. A level is one word list:
#   "TIME BOMBS RUBIES EMERALDS SAPPHIRES [COLUMN,ROW=CODE ...]"   (other cells hold 0)

# Writes the file $1: the header, then the levels $2 ...
write_dag() {
  "$DAG_FIXTURE" "$@" || fail "dag_fixture could not write $1"
}

# Fails unless the file $1 holds exactly the header and the levels $2 ...
expect_dag() {
  local file=$1; shift
  # Kept in a folder of their own, out of the way of the names typed into file dialogs.
  local want i
  mkdir -p "$TMP/expected"
  want="$TMP/expected/$(basename "$file")"
  write_dag "$want" "$@"
  # The save dialog closes before the editor writes (and syncs) the file, which on a
  # loaded machine can take a while: wait for the bytes, not for the dialog.
  for i in $(seq 100); do
    cmp -s "$want" "$file" && return 0
    sleep 0.1
  done
  [ -f "$file" ] || fail "file $file was not written; the work dir holds: $(ls "$TMP" | tr "\n" " ")"
  if ! cmp -s "$want" "$file"; then
    echo "expected $(stat -c %s "$want") bytes, got $(stat -c %s "$file"); first differences (offset, bytes):" >&2
    diff <(od -Ad -v -tx1 "$want") <(od -Ad -v -tx1 "$file") | head -20 >&2 || true
    fail "bytes of $file differ from what was expected"
  fi
}
