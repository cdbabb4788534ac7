#!/bin/sh
# Both manual pages, English and Japanese, render without a warning.
#   manual_pages_test.sh SOURCE_DIR
set -eu
status=0
for page in "$1/docs/sardane.1" "$1/docs/sardane.ja.1"; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
  if [ -n "$warnings" ]; then
    echo "FAILED: $page: $warnings" >&2
    status=1
  fi
done
exit $status
