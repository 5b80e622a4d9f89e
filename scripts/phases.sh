# Phase timing shared by the set-up and test scripts (sourced). Durations go
# to the file named by KOVA_PHASE_LOG, one "name<TAB>seconds" line each, so
# that phases timed in child scripts (build.sh under test.sh) reach the
# table of the script that started the run.

# phases_begin: starts a log unless a calling script already did; succeeds
# when this script owns the log (and so prints the table).
phases_begin() {
  [ -z "${KOVA_PHASE_LOG:-}" ] || return 1
  KOVA_PHASE_LOG=$(mktemp /tmp/kova-phases.XXXXXX)
  export KOVA_PHASE_LOG
}

# phase_record NAME SECONDS
phase_record() { printf '%s\t%s\n' "$1" "$2" >>"$KOVA_PHASE_LOG"; }

# phase NAME COMMAND...: runs COMMAND and records how long it took, also when
# it fails; answers COMMAND's status.
phase() {
  local name=$1 start=$SECONDS status=0
  shift
  "$@" || status=$?
  phase_record "$name" $((SECONDS - start))
  return $status
}

# phases_table: prints the recorded phases and the time since the script
# started (phases that ran side by side overlap), and removes the log.
phases_table() {
  printf '\nPhase times (s):\n'
  awk -F '\t' '{ printf "  %-24s %6d\n", $1, $2 }' "$KOVA_PHASE_LOG"
  printf '  %-24s %6d\n' total "$SECONDS"
  rm -f "$KOVA_PHASE_LOG"
}
