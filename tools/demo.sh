#!/usr/bin/env bash
# The demo: builds Kestrova.exe and runs it under Wine in a sandbox of its own (a private Wine
# prefix in a temporary folder, never ~/.wine) with a demo game folder named in the registry.
# Runs on $DISPLAY when it is set, else on an Xvfb display that it starts. Ctrl+C ends the demo.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

"$root/tools/install-deps.sh"
cmake --preset win32 >/dev/null
cmake --build build/win32 -j2 --target Kestrova

# shellcheck source=tools/wine-env.sh
. "$root/tools/wine-env.sh"
trap wine_env_down EXIT
KESTROVA_DISPLAY=${DISPLAY:-} wine_env_up

# The demo game folder: Cross holds a couple of files, so "优化" is enabled and "还原" is not.
game="$WINEPREFIX/drive_c/Games/英雄联盟"
mkdir -p "$game/Cross"
echo "demo" >"$game/Cross/CrossProxy.dll"
echo "demo" >"$game/Cross/config.ini"
: >"$game/英雄联盟卸载.exe"
wine reg add 'HKLM\SOFTWARE\WOW6432Node\Microsoft\Windows\CurrentVersion\Uninstall\英雄联盟' \
  /v InstallSource /d 'C:\Games\英雄联盟' /f >/dev/null

if [ -n "${KESTROVA_XVFB_PID:-}" ]; then
  echo "No DISPLAY is set: Kestrova runs on the Xvfb display $DISPLAY that the demo started."
  echo "A screenshot is written to build/demo-screenshot.png once the window is up."
  (
    deadline=$((SECONDS + 30))
    until xwininfo -root -tree 2>/dev/null | grep -q '"Kestrova"'; do
      [ $SECONDS -lt $deadline ] || exit 0
      sleep 0.2
    done
    import -window root "$root/build/demo-screenshot.png" 2>/dev/null
  ) &
else
  echo "Kestrova runs on display $DISPLAY."
fi
echo "Demo game folder: $game (Windows: C:\\Games\\英雄联盟). Close the window or press Ctrl+C to end."
wine build/win32/Kestrova.exe || true
