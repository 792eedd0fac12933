#!/usr/bin/env bash
# Times what putting the work on the disk costs: carvel-cli's split and join, which return only
# once everything they wrote is on the disk, against GNU split followed by coreutils' sync of
# the pieces and their folder, and cat followed by sync of the result. Pieces are made without
# a checksum file on both sides. Each pair runs in alternating order; the median of the pairs'
# ratios is printed.
#
#   bench/bench-flush.sh [--size BYTES] [--runs N] [--dir DIR] [--piece SIZE] [--cli PROGRAM]
#
# BYTES and SIZE take the suffixes K, M, G (powers of 1,024). Defaults: 768M, 5 runs, 1M pieces,
# bench/out, and build/bin/carvel-cli (built as a Release build first when it is missing).
set -euo pipefail
cd "$(dirname "$0")/.."

size=768M runs=5 dir=bench/out piece=1M cli=$PWD/build/bin/carvel-cli
while [ $# -gt 0 ]; do
    case "$1" in
        --size) size=$2; shift 2 ;;
        --runs) runs=$2; shift 2 ;;
        --dir) dir=$2; shift 2 ;;
        --piece) piece=$2; shift 2 ;;
        --cli) cli=$(realpath "$2"); shift 2 ;;
        *) sed -n '8,10p' "$0" >&2; exit 2 ;;
    esac
done
if [ ! -x "$cli" ]; then
    cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build build -j2 --target carvel-cli >/dev/null
fi

bytes=$(numfmt --from=iec "$size")
s=$(numfmt --from=iec "$piece")
count=$(( (bytes + s - 1) / s ))
width=${#count}
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
src=$dir/source.bin
if [ ! -f "$src" ] || [ "$(stat -c %s "$src")" != "$bytes" ]; then
    echo "Making $src ($bytes bytes)"
    head -c "$bytes" /dev/urandom >"$src"
fi
folder="$dir/Split Files of source.bin"
gnu=$dir/gnu
first="$folder/source.bin.$(printf "%0${width}d" 1)"
echo "File system: $(df -T "$dir" | awk 'NR==2 {print $2}'), $(nproc) cores (shared), kernel $(uname -r)"
echo "$count pieces of $piece, $runs runs; load before: $(cut -d' ' -f1-3 /proc/loadavg)"

# Runs a command after a sync of everything before it; prints its seconds.
timed() {
    local start end
    sync
    start=$(date +%s%N)
    "$@" >/dev/null 2>"$dir/stderr.txt" || { echo "bench: failed: $*" >&2; cat "$dir/stderr.txt" >&2; exit 1; }
    end=$(date +%s%N)
    awk -v ns=$((end - start)) 'BEGIN { printf "%.4f\n", ns / 1e9 }'
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# Times one pair (mine, theirs) in the order the run number gives; appends "ratio mine theirs".
pair() {
    local record=$1 run=$2 mine=$3 theirs=$4 a b
    if ((run % 2)); then a=$($mine); b=$($theirs); else b=$($theirs); a=$($mine); fi
    awk -v a="$a" -v b="$b" 'BEGIN { printf "%.4f %.4f %.4f\n", a / b, a, b }' >>"$record"
}
report() {
    awk -v n="$1" '{ r = r sprintf(" %.2f", $1); m = m sprintf(" %.2f/%.2f", $2, $3) }
        END { printf "  %s\n    ratios:%s\n    seconds (mine/theirs):%s\n", n, r, m }' "$2"
    printf "    median of pair ratios: %.2f\n" "$(cut -d' ' -f1 "$2" | median)"
}

split_carvel() { rm -rf "$folder"; timed "$cli" split "$src" "$s" --no-checksums; }
split_gnu_sync() {
    rm -rf "$gnu"; mkdir "$gnu"
    timed sh -c 'split -b "$1" --numeric-suffixes=1 -a "$2" "$3" "$4/source.bin." && sync "$4"/source.bin.* "$4"' \
        sh "$s" "$width" "$src" "$gnu"
}
join_carvel() { rm -f "$dir/joined.bin"; timed "$cli" join "$first" "$dir/joined.bin"; }
cat_sync() { rm -f "$dir/cat.bin"; timed sh -c 'cat "$1"/source.bin.* >"$2" && sync "$2" "$3"' sh "$folder" "$dir/cat.bin" "$dir"; }

rec=$dir/flushrec; rm -f "$rec".*
for ((r = 1; r <= runs; r++)); do
    pair "$rec.split" "$r" split_carvel split_gnu_sync
    pair "$rec.join" "$r" join_carvel cat_sync
    cmp -s "$dir/joined.bin" "$src" || { echo "bench: carvel-cli join differs" >&2; exit 1; }
    cmp -s "$dir/cat.bin" "$src" || { echo "bench: cat of the pieces differs" >&2; exit 1; }
done
report "split with its flush / (GNU split, then sync of its pieces and folder)" "$rec.split"
report "join with its flush / (cat, then sync of the result and its folder)" "$rec.join"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
rm -rf "$rec".* "$folder" "$gnu" "$dir/joined.bin" "$dir/cat.bin" "$dir/stderr.txt"
