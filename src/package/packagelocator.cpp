#include "packagelocator.h"

#include "cpackage.h"
#include "dynamiclibrarype.h"
#include "fileview.h"
#include "packageconstants.h"
#include "packagereader.h"
#include "scopedfileclose.h"
#include "wholefile.h"

#include <algorithm>
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

// Where an executable's own sections end in its file. The package is
// appended after them and the runtime holds no marker, so the scan can start
// there instead of reading the whole program. 0 (scan everything) for bytes
// that are no image of this build's machine.
int64_t ProgramSectionsEnd(const FileView& view)
{
    PeLayout layout;
    if (!PeReadLayout(view.Data(), view.Size(), PeNativeMachine(), layout))
        return 0;
    uint64_t end = 0;
    for (const PeSection& section : layout.sections)
        end = std::max<uint64_t>(end, uint64_t(section.rawOffset) + section.copySize);
    return static_cast<int64_t>(end);
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
    if (!file)
        return false;
    // The package's stored blocks point into a view of the file instead of
    // being copied, so a block nobody asks for is never read.
    const std::shared_ptr<const FileView> view = FileView::Open(path);
    if (!view) {
        // A file that cannot be mapped is read as a stream, made after the
        // scan: the reader counts the bytes left from there on.
        if (!FindPackageMarker(file.Get()))
            return false;
        PackageReader reader(file.Get(), false);
        return package.Read(reader);
    }
    // The scan stays on the stream: through the view it would bring the
    // bytes in front of the package into memory.
    if (!SeekFile(file.Get(), ProgramSectionsEnd(*view), SEEK_SET) || !FindPackageMarker(file.Get()))
        return false;
    const int64_t start = TellFile(file.Get());
    if (start < 0 || static_cast<uint64_t>(start) > view->Size())
        return false;
    PackageReader reader(view->Data() + start, view->Size() - static_cast<size_t>(start), view);
    return package.Read(reader);
}
