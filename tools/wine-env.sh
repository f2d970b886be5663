# Sourced, not run: a private Wine prefix and an Xvfb display for running the Windows programs.
#
#   wine_env_up              fresh prefix in a temp folder, Xvfb of $KESTROVA_SCREEN (WxHxD);
#                            with KESTROVA_DISPLAY set, that display instead of an Xvfb
#   wine_env_reset           end every process of the prefix (between suites: a window left
#                            from one would be found by the next)
#   wine_env_screen WxHxD    swap the Xvfb for one of another size, keeping the prefix
#   wine_env_down            stop this prefix's wineserver and this Xvfb, remove the prefix
#
# Only what these functions started is stopped, by pid; the user's own ~/.wine is never touched.

: "${KESTROVA_SCREEN:=1920x1080x24}"

# Starts Xvfb of the given size on a free display number and exports DISPLAY.
wine_env_start_xvfb() {
  local size=$1 tries n deadline
  for tries in 1 2 3 4 5 6 7 8 9 10; do
    n=$((50 + RANDOM % 50))
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "$size" -nolisten tcp >/dev/null 2>&1 &
    KESTROVA_XVFB_PID=$!
    deadline=$((SECONDS + 10))
    while [ $SECONDS -lt $deadline ] && kill -0 "$KESTROVA_XVFB_PID" 2>/dev/null; do
      if [ -S "/tmp/.X11-unix/X$n" ]; then
        export DISPLAY=":$n" KESTROVA_XVFB_PID
        return 0
      fi
      sleep 0.1
    done
    kill "$KESTROVA_XVFB_PID" 2>/dev/null
  done
  echo "wine-env: could not start Xvfb" >&2
  return 1
}

wine_env_stop_xvfb() {
  if [ -n "${KESTROVA_XVFB_PID:-}" ]; then
    kill "$KESTROVA_XVFB_PID" 2>/dev/null
    wait "$KESTROVA_XVFB_PID" 2>/dev/null
  fi
  unset KESTROVA_XVFB_PID
}

wine_env_up() {
  export WINEDEBUG=-all LC_ALL=zh_CN.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml="
  WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/kestrova-wine.XXXXXX") || return 1
  export WINEPREFIX
  if [ -n "${KESTROVA_DISPLAY:-}" ]; then
    export DISPLAY=$KESTROVA_DISPLAY
  else
    wine_env_start_xvfb "$KESTROVA_SCREEN" || return 1
  fi
  timeout 180 wineboot -i >/dev/null 2>&1 || { echo "wine-env: wineboot failed" >&2; return 1; }
  if [ -n "${KESTROVA_XVFB_PID:-}" ]; then
    # Without a window manager every hide of a managed window stalls two seconds.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || return 1
  fi
  # A crashing test program ends instead of waiting for someone to close a crash dialog.
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
    >/dev/null 2>&1 || return 1
  export KESTROVA_WINE_READY=$WINEPREFIX
}

wine_env_reset() {
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
}

# The display size is read when Wine starts, so the prefix's processes are ended first.
wine_env_screen() {
  wine_env_reset
  wine_env_stop_xvfb
  wine_env_start_xvfb "$1"
}

wine_env_down() {
  if [ -n "${KESTROVA_WINE_READY:-}" ]; then
    WINEPREFIX=$KESTROVA_WINE_READY wineserver -k 2>/dev/null
    WINEPREFIX=$KESTROVA_WINE_READY wineserver -w 2>/dev/null
    rm -rf "$KESTROVA_WINE_READY"
  fi
  wine_env_stop_xvfb
  unset KESTROVA_WINE_READY
}
