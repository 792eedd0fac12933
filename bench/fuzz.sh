#!/usr/bin/env bash
# Fuzzes the parsers of input Carvel did not write with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer. Builds the harnesses of tests/fuzz with clang in build-fuzz, then
# runs each named harness (every one with a corpus folder when none is named) for N minutes at
# the lowest priority, at most J at a time. Each starts from its seeds in tests/fuzz/corpus/NAME
# and keeps what it finds in a work corpus outside the repository, DIR/NAME, merged down to a
# minimal set at the end; a failing input lands in DIR/NAME-crashes. Prints the last statistics
# line of each run (executions, cov, ft) and any failing inputs.
#
#   bench/fuzz.sh [HARNESS...] [--minutes N] [--jobs J] [--work DIR]
#
# Defaults: 10 minutes, 2 at a time, bench/out/fuzz. A failing input that has been fixed goes,
# minimised (fuzz_NAME -minimize_crash=1 -runs=10000 INPUT), into tests/fuzz/corpus/NAME, which
# the ordinary build replays as the test fuzz_corpus_NAME.
set -euo pipefail
cd "$(dirname "$0")/.."

minutes=10 jobs=2 work=bench/out/fuzz harnesses=()
while [ $# -gt 0 ]; do
    case "$1" in
        --minutes) minutes=$2; shift 2 ;;
        --jobs) jobs=$2; shift 2 ;;
        --work) work=$2; shift 2 ;;
        -*) sed -n '10,10p' "$0" >&2; exit 2 ;;
        *) harnesses+=("$1"); shift ;;
    esac
done
if [ ${#harnesses[@]} -eq 0 ]; then
    for dir in tests/fuzz/corpus/*/; do harnesses+=("$(basename "$dir")"); done
fi
command -v clang++ >/dev/null || { echo "fuzz: clang++ is missing (Debian packages clang, libclang-rt-14-dev)" >&2; exit 1; }

cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DCARVEL_SANITIZE=ON -DCARVEL_FUZZ=ON >/dev/null
cmake --build build-fuzz -j2 --target "${harnesses[@]/#/fuzz_}" >/dev/null

mkdir -p "$work"
work=$(cd "$work" && pwd)
fuzz_one() {
    local name=$1 bin=$PWD/build-fuzz/tests/fuzz_$1
    mkdir -p "$work/$name" "$work/$name-crashes"
    # An input counts as hanging after a minute, not libFuzzer's usual seconds: on a shared
    # machine at the lowest priority a shorter limit reports the load, not a loop.
    nice -n 19 "$bin" "$work/$name" "tests/fuzz/corpus/$name" -max_total_time=$((minutes * 60)) \
        -timeout=60 -print_final_stats=1 -artifact_prefix="$work/$name-crashes/" \
        >"$work/$name.log" 2>&1 || true
    # A minimal work corpus: only the inputs that add coverage survive.
    rm -rf "$work/$name.min" && mkdir "$work/$name.min"
    nice -n 19 "$bin" -merge=1 "$work/$name.min" "$work/$name" >/dev/null 2>&1 &&
        rm -rf "$work/$name" && mv "$work/$name.min" "$work/$name"
}
for name in "${harnesses[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
    echo "fuzzing $name for $minutes min"
    fuzz_one "$name" &
done
wait

for name in "${harnesses[@]}"; do
    stats=$(grep -E '^#[0-9]+' "$work/$name.log" | tail -1)
    # Slow inputs are reported, not failing: on a shared machine they are mostly the load.
    crashes=$(ls "$work/$name-crashes" | grep -v '^slow-unit-' || true)
    printf '%-16s %s\n' "$name" "$stats"
    [ -z "$crashes" ] || printf '  failing inputs in %s: %s\n' "$work/$name-crashes" "$(echo $crashes)"
done
