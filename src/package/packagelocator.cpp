#include "packagelocator.h"

#include "cpackage.h"
#include "fileview.h"
#include "packageconstants.h"
#include "packagereader.h"
#include "scopedfileclose.h"
#include "wholefile.h"

#include <array>
#include <cstring>
#include <memory>
#include <new>

namespace {

const size_t kNoMarker = static_cast<size_t>(-1);

// Carries the marker match over one block of bytes; returns the offset just
// past the marker, or kNoMarker when the block ends first.
size_t ScanBlock(const unsigned char* block, size_t length, const std::array<unsigned char, 8>& magic,
                 size_t& matched)
{
    size_t at = 0;
    while (at < length) {
        if (matched == 0) {
            // Nothing matched yet: only the marker's first byte can start a match.
            const void* first = std::memchr(block + at, magic[0], length - at);
            if (!first)
                return kNoMarker;
            at = static_cast<size_t>(static_cast<const unsigned char*>(first) - block) + 1;
            matched = 1;
            continue;
        }
        const unsigned char byte = block[at++];
        if (byte == magic[matched])
            ++matched;
        else
            // No part of the marker before its last byte repeats its start,
            // so the breaking byte can only begin a new match.
            matched = byte == magic[0] ? 1 : 0;
        if (matched == magic.size())
            return at;
    }
    return kNoMarker;
}

} // namespace

bool FindPackageMarker(std::FILE* file)
{
    const std::array<unsigned char, 8> magic = PackageConstants::PackageMagic();
    int64_t blockStart = TellFile(file);
    if (blockStart < 0)
        return false;
    std::unique_ptr<unsigned char[]> block(new (std::nothrow) unsigned char[kMarkerScanBlockBytes]);
    if (!block)
        return false;
    size_t matched = 0;
    for (;;) {
        const size_t read = std::fread(block.get(), 1, kMarkerScanBlockBytes, file);
        if (read == 0)
            return false;
        const size_t end = ScanBlock(block.get(), read, magic, matched);
        if (end != kNoMarker)
            return SeekFile(file, blockStart + static_cast<int64_t>(end), SEEK_SET);
        blockStart += static_cast<int64_t>(read);
    }
}

bool LoadPackageFromFile(const std::wstring& path, CPackage& package)
{
    ScopedFileClose file(OpenFileWide(path, L"rb"));
    if (!file || !FindPackageMarker(file.Get()))
        return false;
    // The package's stored blocks point into a view of the file instead of
    // being copied, so a block nobody asks for is never read. The scan above
    // stays on the stream: through the view it would bring the whole program
    // in front of the package into memory.
    const int64_t start = TellFile(file.Get());
    const std::shared_ptr<const FileView> view = FileView::Open(path);
    if (view && start >= 0 && static_cast<uint64_t>(start) <= view->Size()) {
        PackageReader reader(view->Data() + start, view->Size() - static_cast<size_t>(start), view);
        return package.Read(reader);
    }
    // A file that cannot be mapped is read as a stream, made after the scan:
    // the reader counts the bytes left from here on.
    PackageReader reader(file.Get(), false);
    return package.Read(reader);
}
