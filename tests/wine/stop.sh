#!/bin/sh
# Stops what start.sh started.
#   stop.sh BUILD_DIR
build=$1
state=$build/wine-state
WINEPREFIX="$build/wineprefix" wineserver -k 2>/dev/null
if [ -f "$state/xvfb.pid" ]; then
  kill "$(cat "$state/xvfb.pid")" 2>/dev/null
fi
rm -rf "$state"
exit 0
