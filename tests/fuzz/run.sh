#!/bin/bash
# Builds the libFuzzer targets of the portable routines that read outside bytes (clang, ASan and
# UBSan) into build/fuzz/ and runs each for a bounded time on a copy of its seed corpus, so that
# runs never change the repository. A target that crashes or breaks a property fails; its input
# is kept in build/fuzz/crashes/. FUZZ_SECONDS sets the time per target (default 3).
set -uo pipefail
cd "$(dirname "$0")/../.."
seconds=${FUZZ_SECONDS:-3}
out=build/fuzz
mkdir -p "$out/crashes"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Each target and the portable sources it needs besides its own file.
targets=(
  "text_to_int storage/text.cpp"
  "directory_of_path storage/paths.cpp storage/text.cpp"
  "dialog_filter ui/dialog_rules.cpp storage/paths.cpp storage/text.cpp"
  "bytes_to_text storage/text.cpp"
  "fatal_report app/fatal_report.cpp ui/definitions.cpp storage/text.cpp"
  "export_target storage/paths.cpp storage/text.cpp"
  "skip_leading_control_bytes storage/settings.cpp"
)
flags=(-std=c++20 -g -O1 -fno-omit-frame-pointer -Wall -Wextra -I.
       -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)

# True when the program is missing, or a file it was built from (the compiler's list in
# PROGRAM.d) is gone or newer than it.
Stale() {
  [ -x "$1" ] && [ -s "$1.d" ] || return 0
  local file
  for file in $(sed -e 's/^[^:]*://' -e 's/\\$//' "$1.d"); do
    [ -e "$file" ] && [ ! "$file" -nt "$1" ] || return 0
  done
  return 1
}

passed=0
failed=0
for entry in "${targets[@]}"; do
  read -r name sources <<<"$entry"
  program=$out/${name}_fuzz
  inputs=(tests/fuzz/${name}_fuzz.cpp $sources)
  if Stale "$program"; then
    if ! clang++ "${flags[@]}" "${inputs[@]}" -o "$program"; then
      echo "FAIL     $name (does not build)"
      failed=$((failed + 1))
      continue
    fi
    clang++ -std=c++20 -I. -MM "${inputs[@]}" >"$program.d"
  fi
  corpus=$scratch/$name
  mkdir -p "$corpus"
  cp tests/fuzz/corpus/$name/* "$corpus/"
  log=$out/$name.log
  if "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 \
       -artifact_prefix="$out/crashes/$name-" -print_final_stats=1 "$corpus" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units:[[:space:]]*//p' "$log")
    echo "ok       $name (${runs:-?} runs in ${seconds} s)"
    passed=$((passed + 1))
  else
    echo "FAIL     $name, log $log:"
    grep -E 'property broken|ERROR|SUMMARY|runtime error|Test unit written' "$log" | head -8 | sed 's/^/         /'
    failed=$((failed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
