#pragma once

#include <string>

class CPackage;

// Writes the project's library files out for a movie: one entry to a path,
// every entry into a folder, or one entry's content as text. Entry names are
// exact and case-sensitive. The package is only read.
class PackageLibrary {
public:
    explicit PackageLibrary(const CPackage& package) : m_package(package) {}

    // Creates or truncates the destination and writes the entry's bytes;
    // true when every byte was written (an empty entry gives an empty file).
    bool ExtractToFile(const std::wstring& entryName, const std::wstring& destination) const;
    // Every entry, in ascending name order, into the folder under its bare
    // file name. False when the folder does not exist, the project has no
    // library files, or an entry fails (files written before it stay).
    bool ExtractAllToDir(const std::wstring& folder) const;
    // The entry's content decoded as a text file; empty when the entry is
    // missing or cannot be produced.
    std::wstring ExtractToText(const std::wstring& entryName) const;

    // The folder joined with the name's file name and extension (any folder
    // part of the name dropped), one separator between them.
    static std::wstring JoinBareName(const std::wstring& folder, const std::wstring& name);

private:
    const CPackage& m_package;
};
