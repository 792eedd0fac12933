#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace carvel::JoinScriptReader {

// What a JoinFiles.bat beside some pieces says about their set.
struct ScriptSet {
    // The name the script rebuilds, F, as the script writes it; for a script that takes the name
    // from its folder, a name that gives the same script (JoinScript::sameScript).
    std::string fileName;
    long long count = 0; // the pieces it joins, F.1 to F.count at the width of count
};

// The set that a script names, when the text is exactly what a split writes for some name and
// count; nothing for any other text. Reads any text whatever without failing, in time linear
// in its length.
std::optional<ScriptSet> parse(std::string_view text);

} // namespace carvel::JoinScriptReader
