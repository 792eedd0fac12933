#!/usr/bin/env bash
# Times what the checksum file costs: carvel-cli's split (which writes NAME.sha256) and join
# (which checks every piece against it) against what a user does by hand for the same result,
# and a join of a set without checksum file against cat. Each pair runs in alternating order;
# the median of the pairs' ratios is printed, with carvel-cli's peak memory (/usr/bin/time -v).
#
#   bench/bench-checksums.sh [--size BYTES] [--runs N] [--dir DIR] [--pieces "1M 8M"] [--cli PROGRAM]
#
# BYTES takes the suffixes K, M, G (powers of 1,024). Defaults: 768M, 5 runs, bench/out, and
# build/bin/carvel-cli (built as a Release build first when it is missing).
# The page cache stays warm; every timed command starts after a sync.
set -euo pipefail
cd "$(dirname "$0")/.."

size=768M runs=5 dir=bench/out pieces="1M 8M" cli=$PWD/build/bin/carvel-cli
while [ $# -gt 0 ]; do
    case "$1" in
        --size) size=$2; shift 2 ;;
        --runs) runs=$2; shift 2 ;;
        --dir) dir=$2; shift 2 ;;
        --pieces) pieces=$2; shift 2 ;;
        --cli) cli=$(realpath "$2"); shift 2 ;;
        *) sed -n '7,9p' "$0" >&2; exit 2 ;;
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
gnu=$dir/gnu
echo "File system: $(df -T "$dir" | awk 'NR==2 {print $2}'), $(nproc) cores (shared), kernel $(uname -r), load $(cut -d' ' -f1-3 /proc/loadavg)"

# Runs a command under /usr/bin/time; prints "seconds kilobytes".
timed() {
    local start end
    sync
    start=$(date +%s%N)
    /usr/bin/time -v -o "$dir/time.txt" "$@" >/dev/null 2>"$dir/stderr.txt" || {
        echo "bench: failed: $*" >&2; cat "$dir/stderr.txt" >&2; exit 1; }
    end=$(date +%s%N)
    awk -F': ' -v ns=$((end - start)) '/Maximum resident set size/ { k = $2 }
                END { printf "%.4f %d\n", ns / 1e9, k }' "$dir/time.txt"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Times one pair (mine, theirs) in the order the run number gives; appends
# "ratio mine-seconds theirs-seconds mine-kilobytes" to the record named first.
pair() {
    local record=$1 run=$2 mine=$3 theirs=$4 a b
    if ((run % 2)); then
        a=$(eval "$mine"); b=$(eval "$theirs")
    else
        b=$(eval "$theirs"); a=$(eval "$mine")
    fi
    set -- $a $b
    awk -v a="$1" -v k="$2" -v b="$3" 'BEGIN { printf "%.4f %.4f %.4f %d\n", a / b, a, b, k }' >>"$record"
}

report() {
    local name=$1 record=$2
    awk -v n="$name" '{ r = r sprintf(" %.2f", $1); if ($4 > k) k = $4 }
        END { printf "  %-58s peak %5.1f MiB, ratios:%s\n", n, k / 1024, r }' "$record"
    printf "    median of pair ratios: %.2f\n" "$(cut -d' ' -f1 "$record" | median)"
}

split_carvel() { rm -rf "$folder"; timed "$cli" split "$src" "$s"; }
split_gnu() {
    rm -rf "$gnu"; mkdir "$gnu"
    timed split -b "$s" --numeric-suffixes=1 -a "$width" "$src" "$gnu/source.bin."
}
split_gnu_sums() {
    rm -rf "$gnu"; mkdir "$gnu"
    timed sh -c 'split -b "$1" --numeric-suffixes=1 -a "$2" "$3" "$4/source.bin." &&
                 sha256sum "$3" "$4"/source.bin.* >"$4.sha256"' sh "$s" "$width" "$src" "$gnu"
}
join_checked() { rm -f "$dir/joined.bin"; timed "$cli" join "$first" "$dir/joined.bin"; }
sums_then_cat() {
    rm -f "$dir/cat.bin"
    timed sh -c 'cd "$1" && sha256sum -c --quiet --ignore-missing source.bin.sha256 &&
                 cat source.bin.* >"$2"' sh "$folder" "$dir/cat.bin"
}
join_plain() { rm -f "$dir/joined.bin"; timed "$cli" join "$first" "$dir/joined.bin"; }
cat_plain() { rm -f "$dir/cat.bin"; timed sh -c 'cat "$1"/source.bin.* >"$2"' sh "$folder" "$dir/cat.bin"; }

for piece in $pieces; do
    s=$(numfmt --from=iec "$piece")
    count=$(( (bytes + s - 1) / s ))
    width=${#count}
    first="$folder/source.bin.$(printf "%0${width}d" 1)"
    rec=$dir/rec; rm -f "$rec".*
    echo
    echo "Pieces of $piece ($s bytes): $count pieces, $runs runs"
    for ((r = 1; r <= runs; r++)); do
        pair "$rec.a" "$r" split_carvel split_gnu_sums
        pair "$rec.b" "$r" split_carvel split_gnu
        pair "$rec.c" "$r" join_checked sums_then_cat
        cmp -s "$dir/joined.bin" "$src" || { echo "bench: carvel-cli join differs" >&2; exit 1; }
        mv "$folder/source.bin.sha256" "$dir/aside.sha256"
        pair "$rec.d" "$r" join_plain cat_plain
        mv "$dir/aside.sha256" "$folder/source.bin.sha256"
        cmp -s "$dir/joined.bin" "$src" || { echo "bench: carvel-cli join differs" >&2; exit 1; }
        cmp -s "$dir/cat.bin" "$src" || { echo "bench: cat of the pieces differs" >&2; exit 1; }
    done
    report "split with checksums / (GNU split + sha256sum of source, pieces)" "$rec.a"
    report "split with checksums / GNU split alone" "$rec.b"
    report "join with checking / (sha256sum -c, then cat)" "$rec.c"
    report "join without checksum file / cat" "$rec.d"
    rm -f "$rec".* "$dir/joined.bin" "$dir/cat.bin"
done
rm -rf "$folder" "$gnu" "$gnu.sha256" "$dir/time.txt" "$dir/stderr.txt"
