#!/bin/bash
# Builds the release package build/release/note-VERSION.zip: x86/note.exe (i686) and
# x64/note.exe (x86_64), optimised and stripped, and README.txt for Chinese Windows (GBK, CRLF
# line ends) made from res/release-readme.txt. Both programs are checked before packing: they
# import Windows' own DLLs only and carry the version resource. VERSION is the project's.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

# Configures and builds one architecture's note.exe with its preset, then checks it. Sets
# version to the project version the build was configured with.
BuildProgram() {
  local preset=$1 tools=$2
  echo "==== $preset"
  cmake --preset "$preset" >/dev/null
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "build/$preset/CMakeCache.txt")
  [ -n "$version" ] || { echo "no project version in build/$preset"; exit 1; }
  cmake --build --preset "$preset" --target note
  tests/program/check_imports.sh "$tools-objdump" "build/$preset/note.exe"
  tests/program/check_version.sh "$tools-windres" "build/$preset/note.exe" "$version"
}

BuildProgram release-win32 i686-w64-mingw32
BuildProgram release-win64 x86_64-w64-mingw32

release=build/release
stage=$release/note-$version
package=$release/note-$version.zip
rm -rf "$stage" "$package"
mkdir -p "$stage/x86" "$stage/x64"
cp build/release-win32/note.exe "$stage/x86/note.exe"
cp build/release-win64/note.exe "$stage/x64/note.exe"
sed -e "s/@VERSION@/$version/" -e 's/$/\r/' res/release-readme.txt | iconv -f UTF-8 -t GBK >"$stage/README.txt"
(cd "$stage" && zip -q -X -r "../note-$version.zip" x86 x64 README.txt)

echo "==== $package"
python3 -m zipfile -l "$package"
