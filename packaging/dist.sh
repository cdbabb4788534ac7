#!/bin/sh
# Builds the three packages into BUILD/dist: sardane_VERSION_amd64.deb
# (CPack), sardane-VERSION-setup.exe (NSIS) and sardane-VERSION-win64.zip
# (the Windows files with register.cmd). Both Windows packages carry the
# Japanese operator's guide as README.ja.txt: UTF-8 with a byte-order mark
# and CR LF, which every Notepad opens as Japanese text; and the licence as
# LICENSE.txt with CR LF.
#   dist.sh BUILD SOURCE VERSION
set -eu
build=$1
src=$2
version=$3
dist=$build/dist
command -v makensis >/dev/null 2>&1 || {
  echo "dist.sh: no makensis (apt-get install nsis)" >&2
  exit 1
}
mkdir -p "$dist"
(cd "$build" && cpack -G DEB >/dev/null)
stage=$(mktemp -d /tmp/sardane-dist-XXXXXX)
trap 'rm -rf "$stage"' EXIT
folder=$stage/sardane-$version
mkdir -p "$folder"
cp "$build/win/sardane.exe" "$build/win/lib/K3M0RE63.DLL" "$src/README.md" \
  "$src/packaging/register.cmd" "$folder/"
{ printf '\357\273\277' && sed 's/$/\r/' "$src/README.ja.md"; } >"$folder/README.ja.txt"
sed 's/$/\r/' "$src/LICENSE" >"$folder/LICENSE.txt"
# The installer's licence page wraps the text itself: one line a paragraph.
awk 'BEGIN { RS = ""; ORS = "\r\n\r\n" } { gsub(/\n/, " "); print }' "$src/LICENSE" \
  >"$stage/licence-page.txt"
x86_64-w64-mingw32-strip "$folder/sardane.exe" "$folder/K3M0RE63.DLL"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DFILES="$folder" \
  -DICON="$src/app/win32/sardane.ico" -DLICENCE_PAGE="$stage/licence-page.txt" \
  -DOUT_FILE="$dist/sardane-$version-setup.exe" "$src/packaging/sardane.nsi"
rm -f "$dist/sardane-$version-win64.zip"
(cd "$stage" && cmake -E tar cf "$dist/sardane-$version-win64.zip" --format=zip "sardane-$version")
ls -l "$dist"
