#!/usr/bin/env bash
# Installs what is missing, builds both presets and runs every level of tests:
#   unit (native, and again with AddressSanitizer), fuzz (libFuzzer targets, a bounded time
#   each), analysis (clang-tidy, cppcheck), win (Windows-side, under Wine),
#   e2e (the real Kestrova.exe driven under Wine on Xvfb; screen-size cases on an Xvfb each).
# Ends with one line "N passed, N failed" over all levels; exits non-zero if any level failed,
# did not build or wrote no results.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1
results=$root/build/test-results
level_timeout=300  # seconds; a hung level fails instead of stalling the run
other_screens=(1366x768)  # e2e cases named after a screen size run on an Xvfb of that size
broken=()

note_broken() {
  broken+=("$1")
  echo "!! $1" >&2
}

# build NAME DIR CONFIGURE-ARGS...: configures and builds one tree; false if either step fails.
build() {
  local name=$1 dir=$2
  shift 2
  echo "== build $name (at ${SECONDS} s)"
  if ! { cmake "$@" >"$results/configure-$name.log" 2>&1 && cmake --build "$dir" -j2; }; then
    note_broken "$name: build failed (see $results/configure-$name.log and the output above)"
    return 1
  fi
}

# run_level NAME XML COMMAND...: runs one test program; the level fails if it fails or its XML
# results are missing.
run_level() {
  local name=$1 xml=$2
  shift 2
  echo "== level $name (at ${SECONDS} s)"
  timeout "$level_timeout" "$@" || note_broken "$name: tests failed (exit code $?)"
  [ -s "$xml" ] || note_broken "$name: no results in $xml"
}

# The Windows programs take the results path as a Windows path on drive Z: (the Unix root).
gtest_xml() { echo "--gtest_output=xml:$1"; }
wine_gtest_xml() { echo "--gtest_output=xml:Z:$1"; }

"$root/tools/install-deps.sh" || { echo "installing the dependencies failed" >&2; exit 1; }
rm -rf "$results"
mkdir -p "$results"

native_ok=0 asan_ok=0 win32_ok=0
build native build/native --preset native && native_ok=1
build native-asan build/native-asan --preset native -B build/native-asan -DKESTROVA_SANITIZE=ON &&
  asan_ok=1
build win32 build/win32 --preset win32 && win32_ok=1

if [ $native_ok = 1 ]; then
  run_level unit "$results/unit.xml" build/native/kestrova_unit_tests \
    "$(gtest_xml "$results/unit.xml")"
fi
if [ $asan_ok = 1 ]; then
  run_level unit-asan "$results/unit-asan.xml" build/native-asan/kestrova_unit_tests \
    "$(gtest_xml "$results/unit-asan.xml")"
fi

# Each fuzz target for a bounded time (FUZZ_SECONDS, 20 s), then clang-tidy and cppcheck: one
# counted case per target and per tool.
run_level fuzz "$results/fuzz.xml" "$root/tools/fuzz.sh" --xml "$results/fuzz.xml"
run_level analysis "$results/analysis.xml" "$root/tools/analyze.sh" --xml "$results/analysis.xml"

if [ $win32_ok = 1 ]; then
  # shellcheck source=tools/wine-env.sh
  . "$root/tools/wine-env.sh"
  trap wine_env_down EXIT
  if wine_env_up; then
    run_level win "$results/win.xml" wine build/win32/kestrova_win_tests.exe \
      "$(wine_gtest_xml "$results/win.xml")"
    wine_env_reset
    screen_filter=-
    for screen in "${other_screens[@]}"; do screen_filter+="*$screen*:"; done
    run_level e2e "$results/e2e.xml" wine build/win32/kestrova_e2e.exe \
      "$(wine_gtest_xml "$results/e2e.xml")" "--gtest_filter=$screen_filter"
    for screen in "${other_screens[@]}"; do
      wine_env_screen "${screen}x24" || { note_broken "e2e-$screen: no Xvfb"; continue; }
      run_level "e2e-$screen" "$results/e2e-$screen.xml" wine build/win32/kestrova_e2e.exe \
        "$(wine_gtest_xml "$results/e2e-$screen.xml")" "--gtest_filter=*$screen*"
    done
  else
    note_broken "wine: could not prepare a prefix and a display"
  fi
fi

# The benchmark once with tiny figures, in a prefix of its own: it must run and write its table.
# No timing is judged. Counted as one case.
if [ $win32_ok = 1 ]; then
  echo "== level bench-smoke"
  failure=""
  timeout "$level_timeout" "$root/tools/bench.sh" --smoke "$results/benchmarks-smoke.md" &&
    grep -q '^| Start-up to first paint' "$results/benchmarks-smoke.md" ||
    failure='<failure message="tools/bench.sh --smoke wrote no table"/>'
  echo "<testsuites><testsuite name=\"bench\"><testcase name=\"SmokeRun\">$failure</testcase>\
</testsuite></testsuites>" >"$results/bench-smoke.xml"
fi

echo "== results (after ${SECONDS} s)"
for problem in "${broken[@]}"; do echo "failed: $problem"; done
shopt -s nullglob
xml_files=("$results"/*.xml)
python3 "$root/tools/count-results.py" "${xml_files[@]}"
counted=$?
[ ${#broken[@]} -eq 0 ] && [ $counted -eq 0 ]
