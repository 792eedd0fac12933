#include "ShellJoinScript.h"

#include "ChecksumFile.h"
#include "PieceSet.h"

namespace carvel::ShellJoinScript {

namespace {

// A word the shell takes literally: inside single quotes only the quote itself is special,
// and it is closed, written escaped and opened again.
std::string quoted(const std::string& text) {
    std::string word = "'";
    for (char c : text)
        word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return word + "'";
}

constexpr const char* kHead =
    R"(# Rebuilds the file from its pieces in this folder, as JoinFiles.bat does on Windows.
# Run it in this folder with:  sh JoinFiles.sh
# Every piece is named below in number order; nothing is left to a wildcard.

)";

// What comes after the pieces: where the script runs, and the helpers that end it.
constexpr const char* kStart = R"(fail() {
    printf '%s\n' "$1" >&2
    exit 1
}

# Run from another folder, the script still works on the pieces beside it.
case $0 in
*/*)
    dir=${0%/*}
    case $dir in
    '') dir=/ ;;
    /*) ;;
    *) dir=./$dir ;;
    esac
    cd "$dir" || fail "Cannot go to the folder $dir of the pieces."
    ;;
esac

for piece in "$@"; do
    if [ -L "$piece" ]; then
        fail "Piece $piece is a link, and links are not joined. Copy the file itself in its place."
    fi
done
missing=0
for piece in "$@"; do
    if [ ! -f "$piece" ]; then
        printf 'Piece %s of the set is missing.\n' "$piece" >&2
        missing=1
    fi
done
[ "$missing" = 0 ] || exit 1
)";

// The check against the checksum file: each piece's digest must stand on the line that the
// split wrote for it, with the name written as sha256sum writes it.
constexpr const char* kCheck = R"(
if command -v sha256sum >/dev/null 2>&1; then
    tool=sha256sum
elif command -v shasum >/dev/null 2>&1; then
    tool='shasum -a 256'
else
    tool=
fi
if [ ! -f "$sums" ]; then
    printf 'No checksum file %s beside the pieces: they are joined without a check.\n' "$sums"
elif [ -z "$tool" ]; then
    printf 'Neither sha256sum nor shasum is installed: the pieces are joined without a check against %s.\n' "$sums"
else
    for piece in "$@"; do
        digest=$($tool <"$piece") || fail "Cannot read piece $piece."
        digest=${digest%% *}
        line=$mark$digest
        rest=$listed${piece#"$name"}
        if ! grep -Fxq -e "$line  $rest" -e "$line *$rest" <"$sums"; then
            fail "Piece $piece is damaged (its checksum does not match)."
        fi
    done
    printf 'All %s pieces match their checksums in %s.\n' "$#" "$sums"
fi
)";

// The question, then the file built under a temporary name and renamed once complete.
constexpr const char* kJoin = R"(
if [ -d "$name" ]; then
    fail "$name is a folder; nothing was joined."
fi
if [ -e "$name" ] || [ -L "$name" ]; then
    # Only an answer replaces it: without a terminal, no answer means no.
    printf 'File with the name of %s already exist. Do you want to overwrite it? (y/n) ' "$name"
    answer=
    read -r answer || answer=
    [ -t 0 ] || printf '\n'
    case $answer in
    [Yy] | [Yy][Ee][Ss]) ;;
    *) fail "$name was kept; nothing was joined." ;;
    esac
fi

temp=.JoinFiles.$$.part
made=
clean() {
    if [ -n "$made" ]; then
        rm -f "$temp"
        made=
    fi
}
trap clean EXIT
trap 'clean; exit 129' HUP
trap 'clean; exit 130' INT
trap 'clean; exit 143' TERM
set -C
true 2>/dev/null >"$temp" || fail "Cannot create the temporary file $temp in this folder."
set +C
made=1
for piece in "$@"; do
    cat <"$piece" >>"$temp" || fail "Cannot append piece $piece; nothing was joined."
done
mv -f -- "$temp" "$name" || fail "Cannot rename $temp to $name; nothing was joined."
made=
printf '%s files have been joined with the name of %s\n' "$#" "$name"
)";

} // namespace

std::string text(const std::string& fileName, long long count, int width, bool checksums) {
    std::string script = kHead;
    script += "name=" + quoted(fileName) + "\n";
    if (checksums) {
        // The name as the checksum file writes it, escaped where it holds a backslash.
        const std::string line = ChecksumFile::line("", fileName);
        const bool escaped = line.front() == '\\';
        const std::size_t start = line.find("  ") + 2;
        script += "sums=" + quoted(fileName + ".sha256") + "\n";
        script += "listed=" + quoted(line.substr(start, line.size() - start - 1)) + "\n";
        script += std::string("mark=") + (escaped ? "'\\'" : "''") + "\n";
    }
    script += "set --";
    for (long long i = 1; i <= count; ++i)
        script += " \\\n    " + quoted(fileName + "." + PieceSet::numberText(i, width));
    script += "\n\n";
    script += kStart;
    if (checksums)
        script += kCheck;
    return script + kJoin;
}

} // namespace carvel::ShellJoinScript
