#!/usr/bin/env bash
# Under Wine: carvel-cli.exe's join of a set against the set's own JoinFiles.bat run by Wine's
# cmd; natively, for the same set, Linux's carvel-cli join against cat of the pieces. Runs
# alternate between the two of each pair; medians and ratios are printed side by side.
#
#   bench/windows-join.sh [--pieces N] [--runs N] [--dir DIR] [--build BUILD]
#
# Defaults: 768 pieces of 1 MiB, 3 runs, bench/out/windows, build-windows (made by
# scripts/windows.sh first when missing); the Linux carvel-cli comes from build/bin.
set -euo pipefail
cd "$(dirname "$0")/.."

pieces=768 runs=3 dir=bench/out/windows build=build-windows
while [ $# -gt 0 ]; do
    case "$1" in
        --pieces) pieces=$2; shift 2 ;;
        --runs) runs=$2; shift 2 ;;
        --dir) dir=$2; shift 2 ;;
        --build) build=$2; shift 2 ;;
        *) sed -n '6p' "$0" >&2; exit 2 ;;
    esac
done
exe=$PWD/$build/bin/carvel-cli.exe
[ -f "$exe" ] || bash scripts/windows.sh "$build"
cli=$PWD/build/bin/carvel-cli
if [ ! -x "$cli" ]; then
    cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build build -j2 --target carvel-cli >/dev/null
fi
export WINEDEBUG=-all WINEPREFIX=$PWD/$build/wineprefix DISPLAY=

mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
src=$dir/source.bin
set_dir="$dir/Split Files of source.bin"
if [ ! -f "$set_dir/JoinFiles.bat" ] || [ "$(stat -c %s "$src")" != $((pieces << 20)) ]; then
    echo "Making $pieces pieces of 1 MiB in $set_dir"
    rm -rf "$set_dir"
    head -c $((pieces << 20)) /dev/urandom >"$src"
    (cd "$dir" && wine "$exe" split source.bin 1M --force >/dev/null)
fi
first=$(ls "$set_dir" | grep -m1 '^source\.bin\.0*1$')

seconds() { # command... -> wall seconds, after a sync
    sync
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null
    end=$(date +%s.%N)
    echo "$end - $start" | bc
}
median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

wine_cli() { rm -f "$dir/joined.bin"; (cd "$dir" && wine "$exe" join "Split Files of source.bin\\$first" joined.bin); }
wine_bat() { rm -f "$set_dir/source.bin"; (cd "$set_dir" && wine cmd /c JoinFiles.bat); }
native_cli() { rm -f "$dir/joined.bin"; "$cli" join "$set_dir/$first" "$dir/joined.bin"; }
native_cat() { rm -f "$dir/joined.bin"; cat "$set_dir"/source.bin.[0-9]* >"$dir/joined.bin"; }

wine "$exe" --version >/dev/null # starts the wine server outside the timed runs
for f in wine_cli wine_bat native_cli native_cat; do : >"$dir/$f.times"; done
for ((i = 1; i <= runs; i++)); do
    for f in wine_cli wine_bat native_cli native_cat; do seconds "$f" >>"$dir/$f.times"; done
done
cmp -s "$src" "$dir/joined.bin" && cmp -s "$src" "$set_dir/source.bin" || {
    echo "windows-join: a join differs from the source" >&2
    exit 1
}
m() { median <"$dir/$1.times"; }
printf '%d pieces of 1 MiB, median of %d runs (seconds)\n' "$pieces" "$runs"
printf '%-8s %-26s %-26s %s\n' where carvel-cli reference ratio
printf '%-8s %-26s %-26s %.2fx\n' Wine "carvel-cli.exe $(m wine_cli)" "JoinFiles.bat $(m wine_bat)" \
    "$(echo "$(m wine_cli) / $(m wine_bat)" | bc -l)"
printf '%-8s %-26s %-26s %.2fx\n' native "carvel-cli $(m native_cli)" "cat $(m native_cat)" \
    "$(echo "$(m native_cli) / $(m native_cat)" | bc -l)"
