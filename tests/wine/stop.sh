#!/bin/sh
# Stops what start.sh started.
#   stop.sh BUILD_DIR [LOCALE]
build=$1
suffix=""
[ "${2:-ja_JP.UTF-8}" = ja_JP.UTF-8 ] || suffix="-$2"
state=$build/wine-state$suffix
WINEPREFIX="$build/wineprefix$suffix" wineserver -k 2>/dev/null
if [ -f "$state/xvfb.pid" ]; then
  kill "$(cat "$state/xvfb.pid")" 2>/dev/null
fi
rm -rf "$state"
exit 0
