#!/bin/sh
# Installs the tools the tests need when they are missing: GDAL's ogrinfo
# and tmux for the end-to-end tests; mingw-w64, GoogleTest's sources, Wine,
# Xvfb, ImageMagick (screenshots), x11-utils (window titles) and a Japanese
# font and locale for the Windows build and its tests; dpkg-dev, man-db,
# lintian and NSIS for the packages.
# The README's test command runs it first; configuring and building never
# do. Without root it names what is missing and how to install it.
#   install_tools.sh           install what is missing (as root)
#   install_tools.sh --check   only say what is missing (exit 1 if anything)
check=false
[ "${1:-}" = --check ] && check=true
need=""
command -v ogrinfo >/dev/null 2>&1 || need="$need gdal-bin"
command -v tmux >/dev/null 2>&1 || need="$need tmux"
command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 || need="$need g++-mingw-w64-x86-64-posix"
[ -f /usr/src/googletest/CMakeLists.txt ] || need="$need googletest"
command -v wine >/dev/null 2>&1 || need="$need wine wine64"
command -v Xvfb >/dev/null 2>&1 || need="$need xvfb"
command -v import >/dev/null 2>&1 || need="$need imagemagick"
command -v xwininfo >/dev/null 2>&1 || need="$need x11-utils"
[ -d /usr/share/fonts/truetype/vlgothic ] || need="$need fonts-vlgothic"
command -v locale-gen >/dev/null 2>&1 || need="$need locales"
command -v dpkg-shlibdeps >/dev/null 2>&1 || need="$need dpkg-dev"
command -v man >/dev/null 2>&1 || need="$need man-db"
command -v lintian >/dev/null 2>&1 || need="$need lintian"
command -v makensis >/dev/null 2>&1 || need="$need nsis"
command -v desktop-file-validate >/dev/null 2>&1 || need="$need desktop-file-utils"
if [ -n "$need" ]; then
  if $check || [ "$(id -u)" != 0 ]; then
    echo "missing test tools:$need" >&2
    echo "install them as root: apt-get install -y$need" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq && apt-get install -y -qq $need >/dev/null || exit 1
fi
# Wine takes its ANSI code page (932) from a Japanese locale.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  if $check || [ "$(id -u)" != 0 ]; then
    echo "missing locale ja_JP.UTF-8" >&2
    echo "generate it as root: sh tests/install_tools.sh" >&2
    exit 1
  fi
  sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >>/etc/locale.gen
  locale-gen >/dev/null
fi
exit 0
