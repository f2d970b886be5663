#!/usr/bin/env bash
# Static analysis of the program's own code (app ui gamefolder switch platform), one pass or fail
# each: clang-tidy with .clang-tidy, over the native build and, for platform/win32 and the entry,
# the MinGW build's compile commands; cppcheck with tools/cppcheck-suppressions.txt.
#
#   tools/analyze.sh [--xml FILE]
#
# clang takes no code page 936 execution charset, so -fexec-charset=GBK is left out of the compile
# commands it reads; the literals' bytes change nothing it checks. cppcheck 2.10 can't read the
# controls' Chinese names (标签1 ...), so it reads a copy where they are spelt in ASCII: the
# lines stay where they are.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1
# shellcheck source=tools/results-xml.sh
. "$root/tools/results-xml.sh"

xml=""
[ "${1:-}" = --xml ] && xml=$2
out=$root/build/analysis
mkdir -p "$out"
failed=0

# compile_commands DIR CONFIGURE-ARGS...: the compile commands of a configured tree, without GBK.
compile_commands() {
  local dir=$1
  shift
  cmake "$@" -B "$dir" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >"$dir.configure.log" 2>&1 || return 1
  mkdir -p "$dir/db"
  sed 's/ -fexec-charset=GBK//g' "$dir/compile_commands.json" >"$dir/db/compile_commands.json"
}

run_clang_tidy() {
  local mingw_cxx
  mingw_cxx=$(ls -d /usr/lib/gcc/i686-w64-mingw32/*-posix/include/c++ | head -n 1)
  compile_commands "$out/native" --preset native || return 1
  compile_commands "$out/win32" --preset win32 || return 1
  # shellcheck disable=SC2046  # one argument per source file
  clang-tidy-14 --quiet -p "$out/native/db" \
      $(ls app/*.cpp ui/*.cpp gamefolder/*.cpp switch/*.cpp | grep -v '^app/main\.cpp$') &&
    clang-tidy-14 --quiet -p "$out/win32/db" --extra-arg=--target=i686-w64-mingw32 \
      --extra-arg=-isystem"$mingw_cxx" --extra-arg=-isystem"$mingw_cxx/i686-w64-mingw32" \
      platform/win32/*.cpp app/main.cpp
}

run_cppcheck() {
  local copy=$out/cppcheck-source
  rm -rf "$copy"
  mkdir -p "$copy"
  cp -r app ui gamefolder switch platform "$copy/"
  grep -rl '标签\|按钮' "$copy" | xargs -r sed -i 's/标签1/Label1/g; s/标签3/Label3/g; s/按钮1/Button1/g; s/按钮2/Button2/g'
  (cd "$copy" && cppcheck --std=c++17 --language=c++ --enable=warning,style,performance,portability \
    --platform=win32A -D_WIN32 -I . --inline-suppr --quiet --error-exitcode=1 \
    --suppressions-list="$root/tools/cppcheck-suppressions.txt" app ui gamefolder switch platform)
}

for check in clang-tidy cppcheck; do
  echo "== $check"
  "run_${check//-/_}" >"$out/$check.log" 2>&1
  status=$?
  grep -v -E '^[0-9]+ warnings? generated\.$' "$out/$check.log"
  if [ $status -eq 0 ]; then
    result_case "$check" ok
  else
    result_case "$check" fail "findings: see $out/$check.log"
    failed=1
  fi
done

[ -z "$xml" ] || results_write "$xml" analysis
exit $failed
