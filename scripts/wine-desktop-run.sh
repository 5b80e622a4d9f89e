#!/usr/bin/env bash
# Runs a GoogleTest program under Wine inside a virtual desktop of 1024 x 768
# ("explorer /desktop"). Programs that switch display modes need one: on the
# bare X display Wine offers only the current mode. The Wine prefix and the X
# display come from the caller's environment (scripts/run-wine-tests.sh).
#
# The desktop does not hand back the program's exit code, so the verdict comes
# from the program's XML report: it passes when the report exists and counts
# no failures and no errors (a crash leaves no report).
#
# A virtual desktop leaves its size behind as the screen size that later
# programs of the same Wine server see, so the program gets a server of its
# own: a private prefix whose entries link to the caller's (the registry files
# are replaced, not written through, when that server saves them).
set -uo pipefail
exe=$1; shift
case $(od -An -tx1 -j "$(( $(od -An -tu4 -j60 -N4 "$exe") + 4 ))" -N2 "$exe" | tr -d ' ') in
  4c01) loader=/usr/lib/wine/wine ;;    # i386
  6486) loader=/usr/lib/wine/wine64 ;;  # x86-64
  *) echo "wine-desktop-run: $exe is not a Windows program" >&2; exit 2 ;;
esac
export WINELOADER=$loader
work=$(mktemp -d /tmp/wine-desktop-run.XXXXXX)
report=$work/report.xml
mkdir "$work/prefix"
for entry in "$WINEPREFIX"/{dosdevices,drive_c,*.reg,.update-timestamp}; do
  ln -s "$entry" "$work/prefix/"
done
export WINEPREFIX=$work/prefix
# One desktop per run, so programs running side by side do not share one.
"$loader" explorer "/desktop=kova-tests-$$,1024x768" "$exe" "--gtest_output=xml:Z:${report//\//\\}" "$@" \
  >"$work/output" 2>&1 </dev/null
"${WINESERVER:-wineserver}" -k >/dev/null 2>&1
cat "$work/output"
code=1
if [ -f "$report" ]; then
  summary=$(grep -m1 '<testsuites' "$report")
  if [[ $summary == *' failures="0"'* && $summary == *' errors="0"'* ]]; then
    code=0
  fi
else
  echo "wine-desktop-run: $exe left no report" >&2
fi
rm -rf "$work"
exit $code
