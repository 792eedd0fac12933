#!/usr/bin/env bash
# Times a split and a join through Carvel's real window (offscreen, driven by
# carvel_window_bench, progress display and all) against carvel-cli doing the same work, in the
# same run. Runs alternate between the two, each first in every other run; the medians and the
# window's ratio to carvel-cli are printed. The window's time runs from the press on Start to the
# end of the work; carvel-cli's is the whole program, its start-up (some tens of milliseconds on
# a busy machine) included.
#
#   bench/window.sh [--size BYTES] [--runs N] [--dir DIR] [--piece 10M] [--build DIR]
#
# BYTES takes the suffixes K, M, G (powers of 1,024). Defaults: 768M, 5 runs, bench/out, 10M
# pieces, and the programs of build/ (built first when missing). Each timed command starts after
# a sync, with the page cache warm and no old set or destination to delete.
set -euo pipefail
cd "$(dirname "$0")/.."

size=768M runs=5 dir=bench/out piece=10M build=$PWD/build
while [ $# -gt 0 ]; do
    case "$1" in
        --size) size=$2; shift 2 ;;
        --runs) runs=$2; shift 2 ;;
        --dir) dir=$2; shift 2 ;;
        --piece) piece=$2; shift 2 ;;
        --build) build=$(realpath "$2"); shift 2 ;;
        *) sed -n '9p' "$0" >&2; exit 2 ;;
    esac
done

cli=$build/bin/carvel-cli
harness=$build/bin/carvel_window_bench
if [ ! -x "$cli" ] || [ ! -x "$harness" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$build" -j2 --target carvel-cli carvel_window_bench >/dev/null
fi

bytes=$(numfmt --from=iec "$size")
pieceKb=$(($(numfmt --from=iec "$piece") / 1024))
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
src=$dir/window-source.bin
if [ ! -f "$src" ] || [ "$(stat -c %s "$src")" != "$bytes" ]; then
    echo "Making $src ($bytes bytes)"
    head -c "$bytes" /dev/urandom >"$src"
fi
folder="$dir/Split Files of window-source.bin"
out=$dir/window-joined.bin
echo "File system: $(df -T "$dir" | awk 'NR==2 {print $2}'), $(nproc) cores, kernel $(uname -r)"
echo "$size in pieces of $piece, $runs runs each"

seconds() { # command...: prints the seconds it took
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    awk -v ns=$((end - start)) 'BEGIN { printf "%.4f\n", ns / 1e9 }'
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

: >"$dir/w-split-cli" >"$dir/w-split-win" >"$dir/w-join-cli" >"$dir/w-join-win"
cliSplit() { rm -rf "$folder"; sync; seconds "$cli" split "$src" "$piece" >>"$dir/w-split-cli"; }
winSplit() { rm -rf "$folder"; sync; "$harness" split "$src" "$pieceKb" 2>/dev/null >>"$dir/w-split-win"; }
cliJoin() {
    rm -f "$out"; sync
    seconds "$cli" join "$first" "$out" >>"$dir/w-join-cli"
    cmp -s "$src" "$out" || { echo "bench: carvel-cli's join differs" >&2; exit 1; }
}
winJoin() {
    rm -f "$out"; sync
    "$harness" join "$first" "$out" 2>/dev/null >>"$dir/w-join-win"
    cmp -s "$src" "$out" || { echo "bench: the window's join differs" >&2; exit 1; }
}
# Each goes first in every other run, so that neither always follows the same work.
for ((run = 1; run <= runs; run++)); do
    if ((run % 2)); then cliSplit; winSplit; else winSplit; cliSplit; fi
    first=$folder/$(ls "$folder" | grep -v JoinFiles.bat | head -1)
    if ((run % 2)); then cliJoin; winJoin; else winJoin; cliJoin; fi
done

for work in split join; do
    c=$(median <"$dir/w-$work-cli")
    w=$(median <"$dir/w-$work-win")
    awk -v work="$work" -v c="$c" -v w="$w" 'BEGIN {
        printf "%-5s carvel-cli %7.3f s   window %7.3f s   window/cli %.3f\n", work, c, w, w / c }'
done
rm -rf "$folder" "$out"
