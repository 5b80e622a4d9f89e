# Phase timing shared by the set-up and test scripts (sourced). Durations go
# to the file named by KOVA_PHASE_LOG, one "name<TAB>wall<TAB>cpu" line each, so
# that phases timed in child scripts (build.sh under test.sh) reach the
# table of the script that started the run.

# phases_begin: starts a log unless a calling script already did; succeeds
# when this script owns the log (and so prints the table).
phases_begin() {
  [ -z "${KOVA_PHASE_LOG:-}" ] || return 1
  KOVA_PHASE_LOG=$(mktemp /tmp/kova-phases.XXXXXX)
  export KOVA_PHASE_LOG
}

# phases_cpu: sets phases_cpu_now to the processor seconds used so far by
# this shell's finished children. (The builtin writes to a file: in a command
# substitution it would report the substitution's own children.)
phases_cpu() {
  local file=${TMPDIR:-/tmp}/kova-times.$BASHPID
  times >"$file"
  phases_cpu_now=$(awk 'NR == 2 { for (i = 1; i <= 2; i++) { split($i, t, "m"); s += t[1] * 60 + t[2] } }
                        END { printf "%d\n", s }' "$file")
  rm -f "$file"
}

# phase NAME COMMAND...: runs COMMAND and records its wall-clock and
# processor seconds, also when it fails; answers COMMAND's status. A wall
# time well above the processor time shared out over the cores means the
# phase waited: for other work on the machine, or on one busy core.
phase() {
  local name=$1 start=$SECONDS cpu status=0
  shift
  phases_cpu; cpu=$phases_cpu_now
  "$@" || status=$?
  phases_cpu
  printf '%s\t%s\t%s\n' "$name" $((SECONDS - start)) $((phases_cpu_now - cpu)) >>"$KOVA_PHASE_LOG"
  return $status
}

# phases_table: prints the recorded phases and the time since the script
# started (phases that ran side by side overlap), and removes the log.
phases_table() {
  printf '\n  %-24s %6s %6s\n' "phase (seconds)" wall cpu
  awk -F '\t' '{ printf "  %-24s %6d %6d\n", $1, $2, $3 }' "$KOVA_PHASE_LOG"
  phases_cpu
  printf '  %-24s %6d %6d\n' total "$SECONDS" "$phases_cpu_now"
  rm -f "$KOVA_PHASE_LOG"
}
