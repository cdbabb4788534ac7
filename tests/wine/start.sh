#!/bin/sh
# Starts what the Windows tests need: the build's scratch Wine prefix, a
# persistent wineserver (without it every Wine start costs about 3 s) and an
# X display (Xvfb) for windows and message boxes. Everything started here is
# detached from the test's output and is stopped by stop.sh. A locale other
# than the Japanese one (C.UTF-8: ANSI code page 1252) gets a prefix and
# state of its own.
#   start.sh BUILD_DIR [LOCALE]
set -e
build=$1
locale=${2:-ja_JP.UTF-8}
suffix=""
[ "$locale" = ja_JP.UTF-8 ] || suffix="-$locale"
state=$build/wine-state$suffix
here=$(dirname "$0")
mkdir -p "$state"
sh "$here/stop.sh" "$build" "$locale" 2>/dev/null || true
mkdir -p "$state"
# Xvfb takes the first free display itself and names it on descriptor 3
# once it accepts connections, so runs that start displays at the same time
# never pick the same one. The screen holds the console window at 192 DPI
# (about 1300 x 870 pixels).
setsid Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$state/displayfd" </dev/null \
  >"$state/xvfb.log" 2>&1 &
echo $! >"$state/xvfb.pid"
i=0
while ! grep -qs '^[0-9]' "$state/displayfd" && [ $i -lt 300 ]; do sleep 0.1; i=$((i + 1)); done
display=$(head -n 1 "$state/displayfd")
if [ -z "$display" ]; then
  echo "Xvfb did not start:" >&2
  cat "$state/xvfb.log" >&2
  exit 1
fi
echo ":$display" >"$state/display"
export WINEPREFIX="$build/wineprefix$suffix" WINEDEBUG=-all LANG="$locale" LC_ALL="$locale"
export DISPLAY=":$display"
# A new prefix is made first, by a server that ends with its programs:
# Wine's services read their configuration when they start, and those
# started while the prefix was being made would not know all of it (the
# RPC service then fails to start after 10 s whenever a window needs it).
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i </dev/null >"$state/wineboot-new.log" 2>&1 || true
  wineserver -w
fi
# The persistent server, started before any program could start one of its
# own that ends with its last program and takes Wine's services with it (a
# program started at that moment fails before it runs). It puts itself in
# the background once it accepts connections.
if ! setsid wineserver -p </dev/null >"$state/wineserver.log" 2>&1; then
  echo "wineserver did not start:" >&2
  cat "$state/wineserver.log" >&2
  exit 1
fi
# Wine's services, started here so that no test's output is held open by
# them.
wineboot -i </dev/null >"$state/wineboot.log" 2>&1 || true
wine reg delete 'HKCU\Software\Vantrel' /f </dev/null >/dev/null 2>&1 || true
wine reg delete 'HKLM\Software\Vantrel' /f </dev/null >/dev/null 2>&1 || true
# The display at 96 DPI, whatever a stopped test left behind.
wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f </dev/null >/dev/null 2>&1 || true
echo "Wine ready: prefix $WINEPREFIX, display :$display"
