#!/bin/sh
# Builds the libFuzzer targets with clang and runs each for SECONDS (default
# 20) on a copy of its corpus under tests/fuzz/corpus/. Fails on a finding.
set -e
cd "$(dirname "$0")/../.."
seconds=${1:-20}
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DSARDANE_FUZZ=ON -DBUILD_TESTING=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
work=$(mktemp -d /tmp/sardane-fuzz-XXXXXX)
trap 'rm -rf "$work"' EXIT
for target in line_input val picture input_fields converters journal; do
  cmake --build build-fuzz -j2 --target fuzz_$target > /dev/null
  mkdir -p "$work/$target"
  cp tests/fuzz/corpus/$target/* "$work/$target/" 2>/dev/null || true
  echo "fuzz_$target: ${seconds}s"
  (cd "$work" && "$OLDPWD/build-fuzz/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=4096 \
    -print_final_stats=0 "$work/$target" 2> "$work/$target.log") || { tail -n 40 "$work/$target.log"; exit 1; }
  grep -E "^#[0-9]+ *DONE|Done [0-9]+ runs" "$work/$target.log" | tail -n 1
done
echo "fuzzing: no findings"
