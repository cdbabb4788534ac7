#!/bin/sh
# The Debian package as a user meets it: build it, install it with dpkg,
# convert the sample disc with `sardane` from the PATH, see the error report
# of a second run with its message text from the installed library, read
# the manual page, remove the package.
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
dpkg -i "$deb" >/dev/null || fail "dpkg -i"
files=$(dpkg -L sardane)

# The installed program, from a fresh folder, with a user registry of its own.
export SARDANE_REGISTRY_USER="$work/registry"
unset SARDANE_REGISTRY_MACHINE XDG_CONFIG_HOME
mkdir "$work/out"
cd "$work/out"
[ "$(command -v sardane)" = /usr/bin/sardane ] || fail "sardane is not on the PATH"
printf '%s\n47-沖縄県\n\n' "$disc" | sardane >"$work/first.txt" || fail "first run: status $?"
[ "$(ls | wc -l)" = 20 ] || fail "first run wrote $(ls | wc -l) files"
status=0
printf '%s\n47-沖縄県\n\n' "$disc" | sardane >"$work/second.txt" || status=$?
[ "$status" = 1 ] || fail "second run: status $status"
grep -q 'エラー\[64\]' "$work/second.txt" || fail "no error 64: $(cat "$work/second.txt")"
grep -q '^ファイルはすでに存在します。$' "$work/second.txt" ||
  fail "no message text: $(cat "$work/second.txt")"
sardane --version | grep -qx 'sardane 1.1.0' || fail "version"

# The manual page renders without warnings.
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l /usr/share/man/man1/sardane.1 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man: $warnings"

# Removal takes every file; the configuration file goes with a purge.
conffile="/etc/sardane/registry/Software/Vantrel/Z-NORAC V6.3/ENV/values"
grep -qx 'ZNORAC=text:/usr/lib/sardane' "$conffile" || fail "ENV key"
dpkg -r sardane >/dev/null || fail "dpkg -r"
echo "$files" | while IFS= read -r f; do
  [ -f "$f" ] && [ "$f" != "$conffile" ] && fail "left behind: $f"
  true
done
dpkg -P sardane >/dev/null || fail "dpkg -P"
[ ! -e "$conffile" ] || fail "the ENV key stays after a purge"
echo "Debian package: 1 passed, 0 failed"
