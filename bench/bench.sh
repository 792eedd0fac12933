#!/usr/bin/env bash
# Times carvel-cli against the reference tools on one file: "carvel-cli split" against GNU
# "split -b S --numeric-suffixes=1 -a W" and "carvel-cli join" against "cat" of the same pieces,
# for 10 MiB and 1 MiB pieces. Runs alternate between the two tools; the medians, their ratios
# and the peak memory of each (from /usr/bin/time -v) are printed.
#
#   bench/bench.sh [--size BYTES] [--runs N] [--dir DIR] [--pieces "10M 1M"] [--cli PROGRAM]
#
# BYTES takes the suffixes K, M, G (powers of 1,024). Defaults: 1G, 5 runs, bench/out, and
# build/bin/carvel-cli (built as a Release build first when it is missing).
# The page cache stays warm, as for a user who just wrote the file; every timed command starts
# after a sync, so that no run pays for the writing of the one before.
set -euo pipefail
cd "$(dirname "$0")/.."

size=1G runs=5 dir=bench/out pieces="10M 1M" cli=$PWD/build/bin/carvel-cli
while [ $# -gt 0 ]; do
    case "$1" in
        --size) size=$2; shift 2 ;;
        --runs) runs=$2; shift 2 ;;
        --dir) dir=$2; shift 2 ;;
        --pieces) pieces=$2; shift 2 ;;
        --cli) cli=$(realpath "$2"); shift 2 ;;
        *) sed -n '7,10p' "$0" >&2; exit 2 ;;
    esac
done

if [ ! -x "$cli" ]; then
    cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build build -j2 --target carvel-cli >/dev/null
fi
[ -x /usr/bin/time ] || { echo "bench: /usr/bin/time is missing (Debian package time)" >&2; exit 1; }

bytes=$(numfmt --from=iec "$size")
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
src=$dir/source.bin
if [ ! -f "$src" ] || [ "$(stat -c %s "$src")" != "$bytes" ]; then
    echo "Making $src ($bytes bytes)"
    head -c "$bytes" /dev/urandom >"$src"
fi
folder="$dir/Split Files of source.bin"
echo "File system: $(df -T "$dir" | awk 'NR==2 {print $2}'), $(nproc) cores, kernel $(uname -r)"

# Runs a command under /usr/bin/time; appends "seconds kilobytes" to the file named first.
timed() {
    local record=$1; shift
    local start end
    sync
    start=$(date +%s%N)
    /usr/bin/time -v -o "$dir/time.txt" "$@" >/dev/null
    end=$(date +%s%N)
    awk -F': ' -v ns=$((end - start)) '/Maximum resident set size/ { k = $2 }
                END { printf "%.4f %d\n", ns / 1e9, k }' "$dir/time.txt" >>"$record"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

report() {
    local name=$1 mine=$2 theirs=$3 other=$4
    local a b ma mb
    a=$(cut -d' ' -f1 "$mine" | median); b=$(cut -d' ' -f1 "$theirs" | median)
    ma=$(cut -d' ' -f2 "$mine" | sort -n | tail -1); mb=$(cut -d' ' -f2 "$theirs" | sort -n | tail -1)
    local ra rb
    ra=$(cut -d' ' -f1 "$mine" | tr '\n' ' '); rb=$(cut -d' ' -f1 "$theirs" | tr '\n' ' ')
    awk -v n="$name" -v o="$other" -v a="$a" -v b="$b" -v ma="$ma" -v mb="$mb" \
        -v ra="$ra" -v rb="$rb" 'BEGIN {
        printf "  %-18s median %7.4f s, peak %6.1f MiB  (runs: %s)\n", "carvel-cli " n, a, ma / 1024, ra
        printf "  %-18s median %7.4f s, peak %6.1f MiB  (runs: %s)\n", o, b, mb / 1024, rb
        printf "  ratio carvel-cli/%s: %.2f\n", o, (b > 0 ? a / b : 0) }'
}

for piece in $pieces; do
    s=$(numfmt --from=iec "$piece")
    count=$(( (bytes + s - 1) / s ))
    width=${#count}
    first="$folder/source.bin.$(printf "%0${width}d" 1)"
    rec=$dir/rec; rm -f "$rec".*
    echo
    echo "Pieces of $piece ($s bytes): $count pieces, $runs runs"
    for ((r = 1; r <= runs; r++)); do
        # Alternating order, so that neither tool always runs on a cache the other warmed.
        for tool in $( ((r % 2)) && echo "carvel gnu" || echo "gnu carvel"); do
            if [ "$tool" = carvel ]; then
                rm -rf "$folder"
                timed "$rec.split.carvel" "$cli" split "$src" "$s"
            else
                rm -rf "$dir/gnu"; mkdir "$dir/gnu"
                timed "$rec.split.gnu" split -b "$s" --numeric-suffixes=1 -a "$width" "$src" \
                    "$dir/gnu/source.bin."
            fi
        done
        rm -rf "$dir/gnu"
        for tool in $( ((r % 2)) && echo "carvel cat" || echo "cat carvel"); do
            if [ "$tool" = carvel ]; then
                rm -f "$dir/joined.bin"
                timed "$rec.join.carvel" "$cli" join "$first" "$dir/joined.bin"
            else
                rm -f "$dir/cat.bin"
                timed "$rec.join.cat" sh -c 'cat "$1"/source.bin.* >"$2"' sh "$folder" "$dir/cat.bin"
            fi
        done
        cmp -s "$dir/joined.bin" "$src" || { echo "bench: carvel-cli join differs" >&2; exit 1; }
        cmp -s "$dir/cat.bin" "$src" || { echo "bench: cat of the pieces differs" >&2; exit 1; }
    done
    report split "$rec.split.carvel" "$rec.split.gnu" "GNU split"
    report join "$rec.join.carvel" "$rec.join.cat" cat
    rm -f "$rec".* "$dir/joined.bin" "$dir/cat.bin"
done
rm -rf "$folder" "$dir/time.txt"
