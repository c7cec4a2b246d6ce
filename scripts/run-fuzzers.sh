#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and runs each one for SECONDS seconds
# (default 20), starting from its seed corpus tests/fuzz/corpus-NAME; fails on any crash.
# Usage: scripts/run-fuzzers.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-20}
build=build-fuzz

CC=clang CXX=clang++ cmake -S . -B "$build" -DNAX_FUZZ=ON -DNAX_BUILD_TESTS=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target nax_fuzzers -j2

status=0
for target in "$build"/tests/fuzz/fuzz_*; do
    [ -f "$target" ] && [ -x "$target" ] || continue
    name=$(basename "$target")
    seeds="tests/fuzz/corpus-${name#fuzz_}"
    # New inputs go to a working corpus in the build tree; the committed seeds stay as they are.
    work="$build/corpus/$name"
    mkdir -p "$work" "$build/crashes"
    echo "== $name for ${seconds}s"
    if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$build/crashes/$name-" "$work" "$seeds"; then
        echo "$name: failure, the input that caused it is in $build/crashes/" >&2
        status=1
    fi
done
exit $status
