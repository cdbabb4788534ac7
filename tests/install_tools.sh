#!/bin/sh
# Installs the tools the end-to-end tests drive (GDAL's ogrinfo, tmux) when
# they are missing. Runs once before the tests (a CTest fixture).
need=""
command -v ogrinfo >/dev/null 2>&1 || need="$need gdal-bin"
command -v tmux >/dev/null 2>&1 || need="$need tmux"
[ -z "$need" ] && exit 0
if [ "$(id -u)" != 0 ]; then
  echo "missing test tools:$need (install them as root: apt-get install -y$need)" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq && apt-get install -y -qq $need >/dev/null
