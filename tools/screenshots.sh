#!/usr/bin/env bash
# The README's screenshots: the typical run (优化, then 还原) of the real Kestrova.exe, taken by the
# end-to-end case Switch.TypicalRun under Wine's virtual desktop, so that caption bars are drawn,
# in a private Wine prefix on an Xvfb display of the desktop's size.
#   tools/screenshots.sh [BUILD_DIR]    BUILD_DIR: a win32 build tree, default build/win32
# Writes docs/screenshots/*.png; fails if the case fails or a picture is missing.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
build=$(realpath "${1:-build/win32}")
desktop=1024x768
out=$root/docs/screenshots
shots=(1-main-window 2-optimize-done 3-main-window-optimized 4-restore-done
       5-main-window-restored)

[ -f "$build/CMakeCache.txt" ] || cmake --preset win32 -B "$build" >/dev/null
cmake --build "$build" -j2 --target kestrova_e2e

export KESTROVA_SCREEN=${desktop}x24
# shellcheck source=tools/wine-env.sh
. "$root/tools/wine-env.sh"
trap wine_env_down EXIT
wine_env_up

mkdir -p "$out"
rm -f "$out"/*.png
results=$(mktemp -d)
# explorer's exit code is not the test's: the XML results tell.
KESTROVA_SCREENSHOTS=$out wine explorer "/desktop=kestrova,$desktop" \
  "$build/kestrova_e2e.exe" --gtest_filter=Switch.TypicalRun \
  "--gtest_output=xml:Z:$results/journey.xml" || true
passed=0
grep -q '<testcase name="TypicalRun"' "$results/journey.xml" 2>/dev/null &&
  ! grep -q '<failure' "$results/journey.xml" && passed=1
rm -rf "$results"
[ $passed = 1 ] || { echo "screenshots: Switch.TypicalRun failed" >&2; exit 1; }
for shot in "${shots[@]}"; do
  [ -s "$out/$shot.png" ] || { echo "screenshots: $shot.png is missing" >&2; exit 1; }
done
echo "screenshots: ${#shots[@]} pictures in docs/screenshots"
