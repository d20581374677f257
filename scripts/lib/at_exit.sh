# shellcheck shell=bash
# at_exit COMMAND: runs COMMAND (one string, for eval) when the script ends, however it
# ends; the last one added runs first. The scripts and the other parts of scripts/lib share
# the one EXIT trap through it.
if [ -z "${quarvel_at_exit+set}" ]; then
  quarvel_at_exit=()
  quarvel_run_at_exit() {
    local i
    for ((i = ${#quarvel_at_exit[@]} - 1; i >= 0; i--)); do eval "${quarvel_at_exit[i]}" || true; done
  }
  trap quarvel_run_at_exit EXIT
fi
at_exit() { quarvel_at_exit+=("$1"); }
