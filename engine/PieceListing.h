#pragma once

#include "FileSystem.h"

#include <string>
#include <vector>

namespace carvel {

// The pieces of a set as one look at their folder finds them, with what the set's checksum file
// or JoinFiles.bat beside them says its count is.
struct PieceListing {
    std::string base;      // the pattern without its question marks
    int width = 0;         // the number width, from the question marks
    std::string fileName;  // the name the set rebuilds (the base's name without its last ".")
    long long count = 0;   // the pieces of the set: 1 to count
    long long missing = 0; // the first of them not found, 0 when all are there
    std::vector<long long> found; // the numbers of the pieces found, in order
    // The checksums of pieces 1 to count, from the set's checksum file; empty without one.
    std::vector<std::string> digests;
    std::string checksumPath; // where the set's checksum file would be

    std::string pathOf(long long i) const;
    std::string nameOf(long long i) const;

    // Lists the folder of the pattern's pieces. The count comes from the set's checksum file,
    // else from its JoinFiles.bat, when one names this set; else it is the highest number
    // found. A file that does not parse or names another set is ignored.
    static PieceListing take(FileSystem& fs, const std::string& pattern);
};

// "Piece photos.zip.3 of the set is missing."
std::string missingPieceText(const std::string& name);
// "Piece photos.zip.2 is damaged (its checksum does not match)."
std::string damagedPieceText(const std::string& name);

} // namespace carvel
