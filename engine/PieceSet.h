#pragma once

#include "FileSystem.h"

#include <optional>
#include <string>

namespace carvel::PieceSet {

// Everything about piece names lives here: the piece folder beside the source, the width and
// text of piece numbers, piece paths and the piece pattern the join side reads.

// Digits of the piece count: 1 for 2..9 pieces, 2 for 10..99, and so on.
int numberWidth(long long pieceCount);
// i padded on the left with "0" to exactly width digits.
std::string numberText(long long i, int width);
// D + "/Split Files of " + F, by plain concatenation (with the platform's separator); for a
// source named without a folder, "Split Files of " + F in the current folder.
std::string pieceFolder(FileSystem& fs, const std::string& sourcePath);
// folder + separator + F + "." + numberText(i, width)
std::string piecePath(const std::string& folder, const std::string& fileName, long long i,
                      int width);
// folder + separator + F + "." + width question marks
std::string piecePattern(const std::string& folder, const std::string& fileName, int width);

// The general numeric test: optional blanks around, an optional leading sign, one or more
// digits, an optional exponent; never the empty text.
bool isNumeric(const std::string& text);
// A chosen piece turned into its set's pattern: the path up to and including its last ".",
// then one "?" per character after it. Empty when the part after the last "." is not numeric.
std::optional<std::string> patternFromPiece(const std::string& path);
// The path of piece 1 of a pattern: the last character becomes "1" and the run of "?" before
// it becomes "0"s.
std::string firstPiecePath(const std::string& pattern);
// A name chosen as a join destination: taken whole when its last part is not numeric, without
// its last "." and what follows when it has two or more "." and a numeric last part. Empty
// (refused) when it has exactly one "." followed by a numeric part.
std::optional<std::string> destinationFromChosen(const std::string& name);

} // namespace carvel::PieceSet
