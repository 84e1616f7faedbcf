#!/bin/bash
# Measures note.exe against the floor (bench/floor_win.cpp), a bare Win32 program with the same
# window, menu and edit box, under Wine in a session of the benchmark's own, and writes the
# figures into BENCHMARKS.md between its result markers.
#
#   bash bench/run.sh                     31 start runs and 15 runs with the 10 MiB note, of each
#                                         program (about 9 minutes on 2 cores)
#   RUNS=3 BIG_RUNS=1 bash bench/run.sh   fewer runs, for trying the benchmark out
#
# A start takes about 0.2 s and differs from run to run by more than the 5 % the start target
# allows, so it gets more runs than the 15 s runs with the 10 MiB note.
#
# Scenarios, each run in a fresh folder holding one copy of the program, interleaved
# note, floor, note, floor, ...:
#   start - a start without a Data folder: start, end, peak working set;
#   big   - a 10 MiB note in Data\preserve.txt: its load, its save, end, peak working set.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
runs=${RUNS:-31}
big_runs=${BIG_RUNS:-15}
bench=$repo/build/bench
build=$bench/win64
state=$bench/wine
results=$bench/results.txt
report=$repo/BENCHMARKS.md
began=$(date +%s)
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
others_before=$(ps -eo args | grep -cE '^(/usr/bin/ninja|Xvfb|/usr/lib/wine/wineserver)' || true)

# ---- Build -----------------------------------------------------------------------------------
echo "== building the benchmark's programs in $build"
mkdir -p "$bench"
if [ ! -f "$build/CMakeCache.txt" ]; then
  # The release configuration (optimised, stripped), with the benchmark's programs and the
  # desktop holder of the test session.
  cmake --preset release-win64 -B "$build" -DNOTE_BUILD_BENCH=ON -DNOTE_BUILD_TESTS=ON >"$bench/configure.log"
fi
cmake --build "$build" --target note floor launcher desktop_holder
# The i686 program as the release package has it, for its size and imports.
if [ ! -f "$bench/win32/CMakeCache.txt" ]; then
  cmake --preset release-win32 -B "$bench/win32" >>"$bench/configure.log"
fi
cmake --build "$bench/win32" --target note
# The development builds of both architectures are reported as found; win32 is built if missing.
if [ ! -f build/win32/note.exe ]; then
  [ -f build/win32/CMakeCache.txt ] || cmake --preset win32 >/dev/null
  cmake --build build/win32 --target note
fi

# ---- Session ---------------------------------------------------------------------------------
stop_session() { bash cmake/wine-session.sh stop "$state" >/dev/null 2>&1 || true; }
trap stop_session EXIT
bash cmake/wine-session.sh start "$state" "$build/desktop_holder.exe"

# One run: measure PROGRAM (note or floor) in SCENARIO (start or big); the launcher's lines
# "NAME VALUE UNIT" are appended to the results as "PROGRAM NAME VALUE".
class_of() { [ "$1" = note ] && echo NoteWindow || echo NoteFloorWindow; }
run_once() {
  local program=$1 scenario=$2 record=$3 folder output
  folder=$bench/runs/$program-$scenario
  rm -rf "$folder"
  mkdir -p "$folder"
  cp "$build/$program.exe" "$folder/"
  if ! output=$(bash cmake/wine-run.sh "$state" "$build/launcher.exe" "$scenario" \
                  "Z:$folder/$program.exe" "$(class_of "$program")" 2>>"$bench/launcher.log"); then
    echo "launcher failed for $program $scenario: $output" >&2
    exit 1
  fi
  rm -rf "$folder"
  [ "$record" = yes ] && echo "$output" | awk -v p="$program" 'NF == 3 { print p, $1, $2 }' >>"$results"
  echo "$output" | tr '\n' ' '
  echo
}

: >"$results"
echo "== warming up (not counted)"
run_once note start no >/dev/null
run_once floor start no >/dev/null
for scenario in start big; do
  count=$runs
  [ "$scenario" = big ] && count=$big_runs
  for i in $(seq "$count"); do
    for program in note floor; do
      printf '%-6s %-5s %2d/%d: ' "$scenario" "$program" "$i" "$count"
      run_once "$program" "$scenario" yes
    done
  done
done
stop_session
trap - EXIT
load_after=$(cut -d' ' -f1-3 /proc/loadavg)
took=$(($(date +%s) - began))

# ---- Figures ---------------------------------------------------------------------------------
# stats METRIC PROGRAM: "median min max" of the recorded values.
stats() {
  awk -v m="$1" -v p="$2" '$1 == p && $2 == m { print $3 }' "$results" | sort -g |
    awk '{ v[NR] = $1 } END {
      if (NR == 0) { print "- - -"; exit }
      median = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
      print median, v[1], v[NR] }'
}
count_of() { awk -v m="$1" -v p="$2" '$1 == p && $2 == m' "$results" | wc -l; }

table=$(
  echo "| Measurement | note.exe median (min–max) | floor median (min–max) | Runs | note / floor | Target | Met |"
  echo "|---|---|---|---|---|---|---|"
  while IFS='|' read -r metric label unit scale target; do
    read -r nm nlo nhi <<<"$(stats "$metric" note)"
    read -r fm flo fhi <<<"$(stats "$metric" floor)"
    awk -v label="$label" -v unit="$unit" -v scale="$scale" -v target="$target" \
        -v nm="$nm" -v nlo="$nlo" -v nhi="$nhi" -v fm="$fm" -v flo="$flo" -v fhi="$fhi" \
        -v n="$(count_of "$metric" note)" -v f="$(count_of "$metric" floor)" 'BEGIN {
      fmt = "%.1f"
      ratio = fm > 0 ? nm / fm : 0
      met = target == "-" ? "" : (ratio <= target + 0 ? "yes" : "no")
      printf "| %s | " fmt " %s (" fmt "–" fmt ") | " fmt " %s (" fmt "–" fmt ") | %d + %d | %.3f | %s | %s |\n",
        label, nm / scale, unit, nlo / scale, nhi / scale, fm / scale, unit, flo / scale, fhi / scale,
        n, f, ratio, target == "-" ? "–" : "≤ " target, met }'
  done <<'EOF'
start|Start|ms|1|1.05
end|End|ms|1|1.05
peak|Peak working set|MiB|1024|1.10
load10|10 MiB load|ms|1|1.20
save10|10 MiB save|ms|1|1.50
end10|End with the 10 MiB note|ms|1|-
peak10|Peak working set with the 10 MiB note|MiB|1024|-
EOF
)

sizes=$(
  echo "| Program | Build | Bytes | Without symbols | Imports |"
  echo "|---|---|---|---|---|"
  while read -r file arch kind; do
    [ -f "$file" ] || continue
    stripped=$(mktemp)
    "$arch-w64-mingw32-strip" -o "$stripped" "$file"
    imports=$("$arch-w64-mingw32-objdump" -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '\n' ' ')
    echo "| \`$file\` ($arch) | ${kind//_/ } | $(stat -c %s "$file") | $(stat -c %s "$stripped") | ${imports% } |"
    rm -f "$stripped"
  done <<EOF
build/bench/win32/note.exe i686 release_(as_packaged),_built_now
build/bench/win64/note.exe x86_64 release_(as_packaged),_built_now,_the_one_timed
build/bench/win64/floor.exe x86_64 release,_built_now
build/win32/note.exe i686 development_(RelWithDebInfo),_as_found,_built_$(date -u -r build/win32/note.exe '+%H:%M_UTC' 2>/dev/null)
build/win64/note.exe x86_64 development_(RelWithDebInfo),_as_found,_built_$(date -u -r build/win64/note.exe '+%H:%M_UTC' 2>/dev/null)
EOF
)

machine="$(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //'), $(/usr/lib/wine/wine64 --version)"
results_block=$(cat <<EOF
<!-- bench/run.sh writes from here to the end marker -->
Run of $(date -u '+%Y-%m-%d %H:%M UTC') on $machine; Linux $(uname -r).
Commit $(git rev-parse --short HEAD) with $(git status --porcelain | wc -l) uncommitted paths in the working tree.
Load average (1, 5, 15 min) $load_before before and $load_after after; $others_before other
ninja, Xvfb or wine server processes at the start. The benchmark took $((took / 60)) min $((took % 60)) s.

$table

Sizes of the programs, whole and with symbols stripped, and the DLLs each imports:

$sizes
<!-- bench/run.sh results end -->
EOF
)

if [ ! -f "$report" ]; then
  printf '# Benchmarks\n\n<!-- bench/run.sh writes from here to the end marker -->\n<!-- bench/run.sh results end -->\n' >"$report"
fi
block_file=$(mktemp)
echo "$results_block" >"$block_file"
awk -v block="$block_file" '
  /^<!-- bench\/run.sh writes from here/ { while ((getline line < block) > 0) print line; skip = 1; next }
  /^<!-- bench\/run.sh results end -->/ { skip = 0; next }
  !skip { print }' "$report" >"$report.tmp"
mv "$report.tmp" "$report"
rm -f "$block_file"

echo
echo "$results_block" | sed '1d;$d'
echo
echo "Raw figures: $results; written to $report"
