#!/bin/sh
# The Debian package as a user meets it: build it, have lintian find nothing
# to say against it, install it with dpkg, convert the sample disc with
# `sardane` from the PATH (answers and folder on the command line), see the
# error report of a second run with its message text from the installed
# library, read both manual pages, validate the menu entry, find the
# licence, keep an administrator's change to the machine registry over a new
# installation, remove the package.
#   deb_test.sh BUILD_DIR SAMPLE_DISC
set -eu
build=$1
disc=$2
work=$(mktemp -d /tmp/sardane-deb-XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAILED: $*" >&2
  exit 1
}

if [ "$(id -u)" != 0 ]; then
  echo "skipped: installing a package needs root"
  exit 77
fi
dpkg -s sardane >/dev/null 2>&1 && dpkg -P sardane >/dev/null
(cd "$build" && cpack -G DEB >/dev/null) || fail "cpack"
deb="$build/dist/sardane_1.1.0_amd64.deb"
[ -f "$deb" ] || fail "no $deb"
# No error and no warning (lintian says that it runs as root on stderr).
report=$(lintian "$deb" 2>/dev/null) || fail "lintian: $report"
echo "$report" | grep -q '^[EW]:' && fail "lintian: $report"
dpkg -i "$deb" >/dev/null || fail "dpkg -i"
files=$(dpkg -L sardane)

# The installed program, from a fresh folder, with a user registry of its own.
export SARDANE_REGISTRY_USER="$work/registry"
unset SARDANE_REGISTRY_MACHINE XDG_CONFIG_HOME
mkdir "$work/out"
[ "$(command -v sardane)" = /usr/bin/sardane ] || fail "sardane is not on the PATH"
sardane -C "$work/out" "$disc" 47-沖縄県 </dev/null >"$work/first.txt" || fail "first run: status $?"
cd "$work/out"
[ "$(ls | wc -l)" = 20 ] || fail "first run wrote $(ls | wc -l) files"
status=0
printf '%s\n47-沖縄県\n\n' "$disc" | sardane >"$work/second.txt" || status=$?
[ "$status" = 1 ] || fail "second run: status $status"
grep -q 'エラー\[64\]' "$work/second.txt" || fail "no error 64: $(cat "$work/second.txt")"
grep -q '^ファイルはすでに存在します。$' "$work/second.txt" ||
  fail "no message text: $(cat "$work/second.txt")"
sardane --version | grep -qx 'sardane 1.1.0' || fail "version"

# Both manual pages render without warnings; man -L ja finds the Japanese one.
for page in /usr/share/man/man1/sardane.1.gz /usr/share/man/ja/man1/sardane.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man $page: $warnings"
done
[ "$(man -L ja -w sardane)" = /usr/share/man/ja/man1/sardane.1.gz ] || fail "man -L ja: $(man -L ja -w sardane)"
[ -f /usr/share/doc/sardane/README.ja.md ] || fail "no Japanese guide"
grep -q '^License: Expat' /usr/share/doc/sardane/copyright || fail "no licence"

# The menu entry is valid and shows the map icon.
desktop=/usr/share/applications/sardane.desktop
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
[ -z "$report" ] || fail "desktop-file-validate: $report"
grep -qx 'Terminal=true' "$desktop" || fail "the menu entry does not open a terminal"
[ -f "/usr/share/icons/hicolor/scalable/apps/$(sed -n 's/^Icon=//p' "$desktop").svg" ] || fail "no icon"

# The machine registry's ENV key; an administrator's change to it stays
# when the package is installed again.
env_values="/etc/sardane/registry/Software/Vantrel/Z-NORAC V6.3/ENV/values"
grep -qx 'ZNORAC=text:/usr/lib/sardane' "$env_values" || fail "ENV key"
echo 'ZNORAC=text:/opt/messages' >"$env_values"
dpkg -i "$deb" >/dev/null || fail "dpkg -i, second time"
grep -qx 'ZNORAC=text:/opt/messages' "$env_values" || fail "the change to the ENV key was lost"

# Removal takes every file but the ENV key, which goes with a purge.
dpkg -r sardane >/dev/null || fail "dpkg -r"
echo "$files" | while IFS= read -r f; do
  [ -f "$f" ] && [ "$f" != "$env_values" ] && fail "left behind: $f"
  true
done
dpkg -P sardane >/dev/null || fail "dpkg -P"
[ ! -e "$env_values" ] || fail "the ENV key stays after a purge"
echo "Debian package: 1 passed, 0 failed"
