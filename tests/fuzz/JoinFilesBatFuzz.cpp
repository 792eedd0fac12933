// A JoinFiles.bat found beside some pieces, which tells the join how many pieces the set has.
// The reader takes only the text a split writes, so the set it names must write that text again.
#include "JoinScript.h"
#include "JoinScriptReader.h"
#include "PieceSet.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto set = carvel::JoinScriptReader::parse(text);
    if (!set)
        return 0;
    if (set->count < 1 || set->count > 32766)
        std::abort();
    const int width = carvel::PieceSet::numberWidth(set->count);
    std::string written = carvel::JoinScript::head(set->fileName);
    for (long long i = 1; i <= set->count; ++i)
        written += carvel::JoinScript::pieceLine(set->fileName, i, width);
    written += carvel::JoinScript::tail(set->fileName);
    if (written != text)
        std::abort();
    return 0;
}
