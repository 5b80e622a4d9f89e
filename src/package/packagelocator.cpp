#include "packagelocator.h"

#include "cpackage.h"
#include "packageconstants.h"
#include "packagereader.h"
#include "scopedfileclose.h"
#include "wholefile.h"

#include <array>

bool FindPackageMarker(std::FILE* file)
{
    const std::array<unsigned char, 8> magic = PackageConstants::PackageMagic();
    size_t matched = 0;
    for (int c = std::getc(file); c != EOF; c = std::getc(file)) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte == magic[matched])
            ++matched;
        else
            // No part of the marker before its last byte repeats its start,
            // so the breaking byte can only begin a new match.
            matched = byte == magic[0] ? 1 : 0;
        if (matched == magic.size())
            return true;
    }
    return false;
}

bool LoadPackageFromFile(const std::wstring& path, CPackage& package)
{
    ScopedFileClose file(OpenFileWide(path, L"rb"));
    if (!file || !FindPackageMarker(file.Get()))
        return false;
    // Made after the scan: the reader counts the bytes left from here on.
    PackageReader reader(file.Get(), false);
    return package.Read(reader);
}
