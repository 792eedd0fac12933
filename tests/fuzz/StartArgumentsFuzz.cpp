// Carvel's command line, "-S source" or "-J piece", and the set a piece given to -J names.
#include "PieceSet.h"
#include "flow/StartArguments.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string arguments(reinterpret_cast<const char*>(data), size);
    const carvel::StartRequest request = carvel::parseStartArguments(arguments);
    if (request.mode == carvel::StartRequest::Mode::Join)
        if (const auto pattern = carvel::PieceSet::patternFromPiece(request.path))
            carvel::PieceSet::firstPiecePath(*pattern);
    return 0;
}
