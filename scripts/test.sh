#!/bin/bash
# Runs every test: the portable logic natively under ASan and UBSan (and its readers of outside
# bytes under libFuzzer), the Windows program and its tests under Wine (win64), and the release
# architecture's build (win32). Installs what is missing first. Exits non-zero when anything
# fails; leaves no process running behind it.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh || exit 1
status=0
step() { echo; echo "==== $*"; }

step "native: build and test (ASan, UBSan)"
if cmake --preset native >/dev/null && cmake --build --preset native; then
  ctest --preset native -j2 || status=1
else
  status=1
fi

step "fuzz: libFuzzer targets of the routines that read outside bytes (ASan, UBSan)"
bash tests/fuzz/run.sh || status=1

step "win64: build and test under Wine"
if cmake --preset win64 >/dev/null && cmake --build --preset win64; then
  ctest --preset win64 || status=1
else
  status=1
fi

step "win32: build (cannot run on this kernel)"
if cmake --preset win32 >/dev/null && cmake --build --preset win32; then
  echo "win32 build: 1 passed, 0 failed"
else
  echo "win32 build: 0 passed, 1 failed"
  status=1
fi

echo
[ $status -eq 0 ] && echo "ALL TESTS PASSED" || echo "SOME TESTS FAILED"
exit $status
