#!/usr/bin/env bash
# Runs a Windows program under Wine: in the prefix and display that tools/wine-env.sh prepared,
# or, when none is prepared (ctest run by hand), in a throwaway one of its own.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

if [ -n "${KESTROVA_WINE_READY:-}" ]; then
  exec wine "$@"
fi

# shellcheck source=tools/wine-env.sh
. "$here/wine-env.sh"
trap wine_env_down EXIT
wine_env_up || exit 1
wine "$@"
