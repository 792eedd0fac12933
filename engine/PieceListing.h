#pragma once

#include "FileSystem.h"

#include <string>
#include <vector>

namespace carvel {

// The pieces of a set as one look at their folder finds them, with what the set's checksum file
// or JoinFiles.bat beside them says it holds.
struct PieceListing {
    std::string base;      // the pattern without its question marks, spelt as the pieces are
    int width = 0;         // the number width, from the question marks
    std::string fileName;  // the name the set rebuilds (the base's name without its last ".")
    long long count = 0;   // the pieces of the set
    long long first = 1;   // the number of its first piece: 0 for a set numbered from 0
    long long missing = 0; // the place (1 to count) of the first piece not found, 0 when none
    // The names of the set's pieces in number order, with the name a missing piece would have,
    // and whether each was found.
    std::vector<std::string> names;
    std::vector<bool> present;
    // The checksums of the pieces, in the same order, from the set's checksum file; empty
    // without one.
    std::vector<std::string> digests;
    // The checksum of the file the set rebuilds, from the same file; empty where it has none.
    std::string wholeDigest;
    std::string checksumPath; // where the set's checksum file would be

    // The path and name of the i-th piece, i from 1 to count.
    std::string pathOf(long long i) const;
    std::string nameOf(long long i) const;
    bool foundAny() const;

    // Lists the folder of the pattern's pieces: the base followed by a number of any width, so
    // that sets numbered from 0 or without padding are whole. The set is what its checksum file
    // names, else its JoinFiles.bat, else the numbers found. A checksum file that cannot be used,
    // two files of one number, or a numbered file beside the set that its checksum file does
    // not name fails with a FileSystemError that says so: no piece is ever left out unseen.
    static PieceListing take(FileSystem& fs, const std::string& pattern);
};

// "Piece photos.zip.3 of the set is missing."
std::string missingPieceText(const std::string& name);
// "Piece photos.zip.2 is damaged (its checksum does not match)."
std::string damagedPieceText(const std::string& name);
// "The pieces do not make the file that .../photos.zip.sha256 gives the checksum of."
std::string wrongWholeText(const std::string& checksumPath);

} // namespace carvel
