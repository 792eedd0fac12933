// carvel-cli's command line: the arguments (separated by null characters in the input), then
// the operands of the command they ask for, read as split and join read them.
#include "CarvelCli.h"
#include "PieceSet.h"
#include "SizeText.h"

#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\0')
            args.emplace_back();
        else
            args.back() += static_cast<char>(data[i]);
    }
    const carvel::CliArguments parsed = carvel::parseCarvelCliArguments(args);
    if (parsed.action != carvel::CliArguments::Action::Run)
        return 0;
    if (parsed.words[0] == "split") {
        try {
            carvel::sizeTextBytes(parsed.words[2]);
        } catch (const std::runtime_error&) {
        }
    } else if (const auto pattern = carvel::PieceSet::patternFromPiece(parsed.words[1])) {
        carvel::PieceSet::firstPiecePath(*pattern);
    }
    carvel::PieceSet::destinationFromChosen(parsed.words[2]);
    return 0;
}
