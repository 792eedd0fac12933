#!/usr/bin/env bash
# Checks an installation of Carvel under PREFIX (/usr, or DESTDIR/usr) as a user meets it: the
# desktop entries, the AppStream metadata and the man pages pass their validators, and the
# installed programs run from a folder of their own: a split and a join with carvel-cli, Seamer
# started with a piece, and Carvel's Help opened offscreen from the installed help file.
# Usage: check-installed.sh PREFIX PROBE_LIBRARY
# Exits 77 (skipped) when a validator is missing, unless CARVEL_REQUIRE_TOOLS=1.
set -euo pipefail
prefix=$(realpath "$1")
probe=$(realpath "$2")
bin=$prefix/bin
share=$prefix/share

for tool in desktop-file-validate appstreamcli man; do
    if ! command -v "$tool" >/dev/null; then
        echo "$tool is missing (scripts/install-deps.sh installs it)"
        [ "${CARVEL_REQUIRE_TOOLS:-0}" = 1 ] && exit 1
        exit 77
    fi
done

desktop-file-validate "$share"/applications/org.carvel.{Carvel,Seamer}.desktop
appstreamcli validate --no-net "$share"/metainfo/org.carvel.{Carvel,Seamer}.metainfo.xml
for page in carvel carvel-cli seamer; do
    # As lintian reads them: any warning from the formatter fails.
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
        man --warnings -E UTF-8 -l -Tutf8 -Z "$share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || { echo "man page $page: $warnings"; exit 1; }
    # Every page tells of the checksum file and of the refused sets.
    text=$(MANWIDTH=200 man -l "$share/man/man1/$page.1.gz" 2>/dev/null | tr -s " \n" "  ")
    for word in NAME.sha256 'missing piece' 'damaged piece'; do
        grep -q "$word" <<<"$text" || { echo "man page $page does not mention $word"; exit 1; }
    done
done
for id in org.carvel.Carvel org.carvel.Seamer; do
    for size in 16 32 48 64 128 256; do
        file "$share/icons/hicolor/${size}x$size/apps/$id.png" | grep -q "$size x $size" ||
            { echo "icon $id is not $size pixels"; exit 1; }
    done
    grep -q '<svg' "$share/icons/hicolor/scalable/apps/$id.svg"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
head -c 2500000 /dev/urandom >'photos 1.zip'
"$bin/carvel-cli" split 'photos 1.zip' 1M
"$bin/carvel-cli" join 'Split Files of photos 1.zip/photos 1.zip.2' back.zip
cmp 'photos 1.zip' back.zip
"$bin/carvel-cli" --version | head -n 1

export QT_QPA_PLATFORM=offscreen
source=$(CARVEL_PROBE=source LD_PRELOAD=$probe timeout 60 \
    "$bin/seamer" "$work/Split Files of photos 1.zip/photos 1.zip.3")
[ "$source" = "$work/Split Files of photos 1.zip/photos 1.zip.?" ] ||
    { echo "seamer PIECE started with \"$source\" chosen"; exit 1; }
echo "seamer PIECE: $source"
CARVEL_PROBE=help LD_PRELOAD=$probe timeout 60 "$bin/carvel"
echo "installation under $prefix checked"
