#!/usr/bin/env bash
# Measures Kestrova.exe against the floor a Win32 program can reach and writes the figures, with
# the machine they were taken on, to docs/benchmarks.md (or OUT.md).
#
#   tools/bench.sh [--smoke] [OUT.md]
#
# Builds what it needs (win32 preset; KESTROVA_BENCH_BUILD names another build folder), then runs
# the driver under Wine in a fresh private prefix on its own Xvfb display. --smoke: one run of
# each case on small trees, which only proves the benchmark runs and writes its table.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${KESTROVA_BENCH_BUILD:-$root/build/win32}
smoke=()
if [ "${1:-}" = --smoke ]; then
  smoke=(--smoke)
  shift
fi
out=${1:-$root/docs/benchmarks.md}

cd "$root"
if [ "$build" = "$root/build/win32" ]; then
  cmake --preset win32 >/dev/null
else
  cmake --preset win32 -B "$build" >/dev/null
fi
cmake --build "$build" -j2 --target kestrova_bench

# shellcheck source=tools/wine-env.sh
. "$root/tools/wine-env.sh"
trap wine_env_down EXIT
wine_env_up

# The imports of one executable: "DLL: function, function, ...", one DLL a line.
imports_of() {
  i686-w64-mingw32-objdump -p "$1" | awk '
    /DLL Name:/ { if (dll) print dll ": " names; dll = $3; names = ""; next }
    dll && /^\t[0-9a-f]+\t/ { names = names (names ? ", " : "") $3 }
    /^$/ && dll && names { print dll ": " names; dll = "" }
    END { if (dll) print dll ": " names }'
}

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
table=$(mktemp)
wine "$build/kestrova_bench.exe" "${smoke[@]}" "$(winepath -w "$table")"
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

mkdir -p "$(dirname "$out")"
{
  echo "# Benchmarks"
  echo
  echo "Written by \`tools/bench.sh${smoke:+ --smoke}\` on $(date -u '+%Y-%m-%d %H:%M UTC')."
  echo "Machine: $(nproc) cores, $(sed -n 's/^model name\s*:\s*//p' /proc/cpuinfo | head -1);"
  echo "$(wine --version), Xvfb, a fresh prefix; load average $load_before before, $load_after after."
  echo
  echo "Medians and min-max of each side, measured alternately in the same run; the ratio is"
  echo "of the medians."
  echo
  cat "$table"
  echo
  echo "## Size"
  echo
  echo "| Executable | Bytes |"
  echo "|---|--:|"
  for exe in Kestrova kestrova_baseline kestrova_baseline_required; do
    echo "| $exe.exe | $(stat -c %s "$build/$exe.exe") |"
  done
  echo
  echo "Imports of Kestrova.exe:"
  echo
  imports_of "$build/Kestrova.exe" | sed 's/^/- /'
  echo
  cat "$root/bench/method.md"
} >"$out"
rm -f "$table"
echo "bench: wrote $out"
