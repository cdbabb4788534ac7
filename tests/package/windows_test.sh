#!/bin/sh
# The Windows installer and the portable zip under Wine, as a user meets
# them: the installer's window in Japanese on a Japanese system and in
# English on another; install silently, find ZNORAC and the uninstall entry
# in the registry, convert the sample disc with the installed program
# (answers piped in), see the message text in the report of a second run,
# find the Japanese guide, the licence and the shortcuts in every user's
# Start menu, uninstall and find nothing left; then the same with the zip
# after register.cmd.
#   windows_test.sh BUILD_DIR SAMPLE_DISC VERSION
# Needs the Japanese Wine and the C.UTF-8 one (tests/wine/start.sh).
set -eu
build=$1
disc=$2
version=$3
run="$build/wine-run"
prefix="$build/wineprefix"
env_key='HKLM\Software\Vantrel\Z-NORAC V6.3\ENV'
user_env_key='HKCU\Software\Vantrel\Z-NORAC V6.3\ENV'
work=$(mktemp -d /tmp/sardane-win-package-XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAILED: $*" >&2
  exit 1
}
# The data of value $2 (ZNORAC by default) of key $1 as reg query shows it
# (a DWORD as 0x...), or nothing.
query() {
  "$run" reg query "$1" /v "${2:-ZNORAC}" 2>/dev/null </dev/null | tr -d '\r' |
    sed -n "s/^ *${2:-ZNORAC} *REG_[A-Z_]* *//p"
}
# Polls the command "$@" ten times a second, for at most 30 seconds;
# false when it never succeeded.
within_30s() {
  i=0
  until "$@"; do
    [ $i -lt 300 ] || return 1
    sleep 0.1
    i=$((i + 1))
  done
}
# Runs the uninstaller; it goes on in a copy of itself, whose last step is
# the removal of the uninstall entry: waits for that.
uninstall() {
  "$run" "$installed/uninstall.exe" /S </dev/null >/dev/null 2>&1 || fail "uninstaller"
  within_30s no_uninstall_entry || fail "uninstall entry left behind"
}
no_uninstall_entry() {
  [ -z "$(query "$uninstall_key" DisplayName)" ]
}
# Sets ZNORAC of the machine's key to $1 and reads it back.
set_znorac() {
  "$run" reg add "$env_key" /v ZNORAC /d "$1" /f </dev/null >/dev/null 2>&1
  [ "$(query "$env_key")" = "$1" ]
}
# Whether the installer, started in Wine's locale $1, opens a window whose
# title begins with $2; the installer is closed again.
installer_title() {
  state="$build/wine-state"
  [ "$1" = ja_JP.UTF-8 ] || state="$state-$1"
  SARDANE_WINE_LOCALE=$1 "$run" "$setup" </dev/null >/dev/null 2>&1 &
  pid=$!
  found=false
  i=0
  while [ $i -lt 300 ]; do
    if DISPLAY=$(cat "$state/display") xwininfo -root -tree 2>/dev/null | grep -qF "\"$2"; then
      found=true
      break
    fi
    sleep 0.1
    i=$((i + 1))
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  $found
}
# Converts the sample twice in a fresh folder with the program $1 (a Windows
# path); the second run must report error 64 with its message text.
convert_twice() {
  rm -rf "$work/out" && mkdir "$work/out"
  (cd "$work/out" && printf '%s\n47-沖縄県\n\n' "$disc" | "$run" "$1" >"$work/first.txt" 2>&1) ||
    fail "$1: first run: $(cat "$work/first.txt")"
  [ "$(ls "$work/out" | wc -l)" = 20 ] || fail "$1: $(ls "$work/out" | wc -l) files"
  status=0
  (cd "$work/out" && printf '%s\n47-沖縄県\n\n' "$disc" | "$run" "$1" >"$work/second.txt" 2>&1) ||
    status=$?
  [ "$status" = 1 ] || fail "$1: second run: status $status"
  grep -q 'エラー\[64\]' "$work/second.txt" || fail "$1: no error 64"
  grep -q '^ファイルはすでに存在します。$' "$work/second.txt" ||
    fail "$1: no message text: $(cat "$work/second.txt")"
}

(cd "$build" && cmake --build . --target dist >/dev/null) || fail "dist"
setup="$build/dist/sardane-$version-setup.exe"
zip="$build/dist/sardane-$version-win64.zip"
installed="$prefix/drive_c/Program Files/Sardane"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Sardane'

# The installer speaks the system's language.
installer_title ja_JP.UTF-8 "Sardane $version セットアップ" || fail "no Japanese installer window"
installer_title C.UTF-8 "Sardane $version Setup" || fail "no English installer window"

# The installer.
"$run" "$setup" /S </dev/null >/dev/null 2>&1 || fail "installer"
for f in sardane.exe K3M0RE63.DLL README.md README.ja.txt LICENSE.txt uninstall.exe; do
  [ -f "$installed/$f" ] || fail "not installed: $f"
done
grep -q '^MIT License' "$installed/LICENSE.txt" || fail "LICENSE.txt is not the licence"
# The shortcuts are in the Start menu of all users, not the installing one's.
programs="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
[ -f "$programs/Sardane.lnk" ] || fail "no shortcut in all users' Start menu"
[ -f "$programs/Sardane 操作ガイド.lnk" ] || fail "no shortcut to the guide in all users' Start menu"
[ "$(find "$prefix/drive_c" -name 'Sardane*.lnk' | wc -l)" = 2 ] ||
  fail "shortcuts elsewhere: $(find "$prefix/drive_c" -name 'Sardane*.lnk')"
# The uninstall entry as Apps & Features shows it; the size in KiB.
for pair in "DisplayName=Sardane $version" "DisplayVersion=$version" \
  "Publisher=The Sardane authors" 'DisplayIcon=C:\Program Files\Sardane\sardane.exe,0' \
  'NoModify=0x1' 'NoRepair=0x1'; do
  [ "$(query "$uninstall_key" "${pair%%=*}")" = "${pair#*=}" ] ||
    fail "${pair%%=*}: $(query "$uninstall_key" "${pair%%=*}")"
done
size=$(($(query "$uninstall_key" EstimatedSize)))
bytes=$(cat "$installed"/* | wc -c)
[ "$size" -ge $((bytes / 1024 - 8)) ] && [ "$size" -le $((bytes / 1024 + 8)) ] ||
  fail "EstimatedSize $size KiB for $bytes bytes"
# The guide is UTF-8 text with a byte-order mark and CR LF line ends.
[ "$(head -c 3 "$installed/README.ja.txt" | od -An -tx1 | tr -d ' ')" = efbbbf ] ||
  fail "the guide has no byte-order mark"
[ "$(head -n 1 "$installed/README.ja.txt" | tail -c 2 | od -An -tx1 | tr -d ' ')" = 0d0a ] ||
  fail "the guide's lines do not end in CR LF"
[ "$(query "$env_key")" = 'C:\Program Files\Sardane' ] || fail "ZNORAC: $(query "$env_key")"
convert_twice 'C:\Program Files\Sardane\sardane.exe'

uninstall
[ ! -e "$installed" ] || fail "left behind: $(ls "$installed")"
[ -z "$(query "$env_key")" ] || fail "ZNORAC left behind"
find "$prefix/drive_c" -name 'Sardane*.lnk' | grep -q . && fail "shortcut left behind"

# An uninstaller leaves ZNORAC alone once it names another folder.
"$run" "$setup" /S </dev/null >/dev/null 2>&1 || fail "installer, second time"
within_30s set_znorac 'C:\Elsewhere' || fail "ZNORAC could not be set"
uninstall
[ ! -e "$installed" ] || fail "left behind: $(ls "$installed")"
[ "$(query "$env_key")" = 'C:\Elsewhere' ] || fail "another folder's ZNORAC was removed"
"$run" reg delete "$env_key" /v ZNORAC /f </dev/null >/dev/null 2>&1

# The portable zip, registered for the current user.
portable="$prefix/drive_c/Sardane-portable"
rm -rf "$portable" && mkdir -p "$portable"
(cd "$portable" && cmake -E tar xf "$zip") || fail "unzip"
[ -f "$portable/sardane-$version/README.ja.txt" ] || fail "no guide in the zip"
grep -q '^MIT License' "$portable/sardane-$version/LICENSE.txt" || fail "no licence in the zip"
"$run" cmd /c 'C:\Sardane-portable\sardane-'"$version"'\register.cmd' </dev/null >/dev/null 2>&1 ||
  fail "register.cmd"
[ "$(query "$user_env_key")" = "C:\\Sardane-portable\\sardane-$version" ] ||
  fail "ZNORAC of the zip: $(query "$user_env_key")"
convert_twice "C:\\Sardane-portable\\sardane-$version\\sardane.exe"
"$run" reg delete "$user_env_key" /v ZNORAC /f </dev/null >/dev/null 2>&1
rm -rf "$portable"
echo "Windows packages: 3 passed, 0 failed"
