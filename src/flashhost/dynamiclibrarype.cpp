#include "dynamiclibrarype.h"

#include <algorithm>
#include <cstring>

namespace {

// Byte offsets of the fields read, as laid out by the PE/COFF format.
constexpr std::uint16_t kDosSignature = 0x5A4D;      // "MZ"
constexpr std::uint32_t kNtSignature = 0x00004550;   // "PE\0\0"
constexpr std::size_t kDosHeaderSize = 64;
constexpr std::size_t kDosNtOffsetField = 0x3C;
constexpr std::size_t kFileHeaderSize = 20;
constexpr std::uint16_t kFileRelocsStripped = 0x0001;
constexpr std::uint16_t kMagicPe32 = 0x010B;
constexpr std::uint16_t kMagicPe32Plus = 0x020B;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::size_t kImportDescriptorSize = 20;
constexpr std::size_t kExportDirectorySize = 40;
constexpr std::size_t kRuntimeFunctionSize = 12;

constexpr std::uint32_t kSectionExecute = 0x20000000;
constexpr std::uint32_t kSectionRead = 0x40000000;
constexpr std::uint32_t kSectionWrite = 0x80000000;

enum RelocationType : unsigned {
    kRelocAbsolute = 0,
    kRelocHigh = 1,
    kRelocLow = 2,
    kRelocHighLow = 3,
    kRelocDir64 = 10,
};

// Optional header field offsets that differ between PE32 and PE32+.
struct OptionalHeaderShape {
    std::size_t imageBase;
    std::size_t imageBaseSize;
    std::size_t directoryCount;
    std::size_t directories;
};
constexpr OptionalHeaderShape kPe32Shape = {28, 4, 92, 96};
constexpr OptionalHeaderShape kPe32PlusShape = {24, 8, 108, 112};
constexpr std::size_t kEntryPointOffset = 16;
constexpr std::size_t kSizeOfImageOffset = 56;
constexpr std::size_t kSizeOfHeadersOffset = 60;

// True when [offset, offset + length) lies inside a buffer of size bytes.
bool Fits(std::uint64_t offset, std::uint64_t length, std::uint64_t size)
{
    return offset <= size && length <= size - offset;
}

std::uint16_t Read16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t Read32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(Read16(p)) | static_cast<std::uint32_t>(Read16(p + 2)) << 16;
}

std::uint64_t Read64(const std::uint8_t* p)
{
    return static_cast<std::uint64_t>(Read32(p)) | static_cast<std::uint64_t>(Read32(p + 4)) << 32;
}

void Write16(std::uint8_t* p, std::uint16_t value)
{
    p[0] = static_cast<std::uint8_t>(value);
    p[1] = static_cast<std::uint8_t>(value >> 8);
}

void Write32(std::uint8_t* p, std::uint32_t value)
{
    Write16(p, static_cast<std::uint16_t>(value));
    Write16(p + 2, static_cast<std::uint16_t>(value >> 16));
}

void Write64(std::uint8_t* p, std::uint64_t value)
{
    Write32(p, static_cast<std::uint32_t>(value));
    Write32(p + 4, static_cast<std::uint32_t>(value >> 32));
}

// The zero-terminated text at rva, when its terminator lies inside the image.
bool ReadText(const std::uint8_t* image, const PeLayout& layout, std::uint32_t rva, std::string& text)
{
    if (rva >= layout.sizeOfImage)
        return false;
    const void* end = std::memchr(image + rva, 0, layout.sizeOfImage - rva);
    if (!end)
        return false;
    text.assign(reinterpret_cast<const char*>(image + rva), static_cast<const std::uint8_t*>(end) - (image + rva));
    return true;
}

bool DirectoryFits(const PeLayout& layout, const PeDataDirectory& directory)
{
    return Fits(directory.rva, directory.size, layout.sizeOfImage);
}

bool IsPresent(const PeDataDirectory& directory)
{
    return directory.rva != 0 && directory.size != 0;
}

std::size_t ThunkSize(const PeLayout& layout)
{
    return layout.is64 ? 8 : 4;
}

// Locates the NT headers; returns their file offset or 0.
std::size_t FindNtHeaders(const std::uint8_t* file, std::size_t fileSize)
{
    if (fileSize < kDosHeaderSize || Read16(file) != kDosSignature)
        return 0;
    const std::uint32_t ntOffset = Read32(file + kDosNtOffsetField);
    if (ntOffset == 0 || !Fits(ntOffset, 4 + kFileHeaderSize, fileSize) || Read32(file + ntOffset) != kNtSignature)
        return 0;
    return ntOffset;
}

bool ReadOptionalHeader(const std::uint8_t* optional, std::size_t optionalSize, PeLayout& layout)
{
    if (optionalSize < 2)
        return false;
    const std::uint16_t magic = Read16(optional);
    const bool wants64 = layout.machine == PeMachine::Amd64;
    if (magic != (wants64 ? kMagicPe32Plus : kMagicPe32))
        return false;
    layout.is64 = wants64;
    const OptionalHeaderShape& shape = wants64 ? kPe32PlusShape : kPe32Shape;
    if (optionalSize < shape.directories)
        return false;
    layout.entryPointRva = Read32(optional + kEntryPointOffset);
    layout.imageBase = shape.imageBaseSize == 8 ? Read64(optional + shape.imageBase) : Read32(optional + shape.imageBase);
    layout.sizeOfImage = Read32(optional + kSizeOfImageOffset);
    layout.sizeOfHeaders = Read32(optional + kSizeOfHeadersOffset);
    const std::uint32_t declared = Read32(optional + shape.directoryCount);
    const std::size_t count = std::min<std::uint32_t>(declared, kPeDirectoryCount);
    if (!Fits(shape.directories, count * 8, optionalSize))
        return false;
    for (std::size_t i = 0; i < count; ++i) {
        layout.directories[i].rva = Read32(optional + shape.directories + i * 8);
        layout.directories[i].size = Read32(optional + shape.directories + i * 8 + 4);
    }
    return true;
}

bool ReadSection(const std::uint8_t* header, std::size_t fileSize, PeLayout& layout)
{
    const std::uint32_t virtualSize = Read32(header + 8);
    PeSection section;
    section.virtualAddress = Read32(header + 12);
    const std::uint32_t rawSize = Read32(header + 16);
    section.rawOffset = Read32(header + 20);
    section.characteristics = Read32(header + 36);
    // Some linkers leave VirtualSize 0 and mean the raw size.
    section.mappedSize = virtualSize != 0 ? virtualSize : rawSize;
    section.copySize = std::min(rawSize, section.mappedSize);
    if (!Fits(section.virtualAddress, section.mappedSize, layout.sizeOfImage))
        return false;
    if (section.copySize != 0 && !Fits(section.rawOffset, section.copySize, fileSize))
        return false;
    layout.sections.push_back(section);
    return true;
}

bool ApplyFixup(std::uint8_t* image, const PeLayout& layout, unsigned type, std::uint64_t target, std::uint64_t delta)
{
    switch (type) {
    case kRelocAbsolute:
        return true;
    case kRelocHigh:
        if (!Fits(target, 2, layout.sizeOfImage))
            return false;
        Write16(image + target, static_cast<std::uint16_t>(Read16(image + target) + (delta >> 16)));
        return true;
    case kRelocLow:
        if (!Fits(target, 2, layout.sizeOfImage))
            return false;
        Write16(image + target, static_cast<std::uint16_t>(Read16(image + target) + delta));
        return true;
    case kRelocHighLow:
        if (!Fits(target, 4, layout.sizeOfImage))
            return false;
        Write32(image + target, static_cast<std::uint32_t>(Read32(image + target) + delta));
        return true;
    case kRelocDir64:
        if (!layout.is64 || !Fits(target, 8, layout.sizeOfImage))
            return false;
        Write64(image + target, Read64(image + target) + delta);
        return true;
    default:
        return false;
    }
}

bool ApplyRelocationBlock(std::uint8_t* image, const PeLayout& layout, std::uint32_t blockRva, std::uint32_t blockSize,
                          std::uint64_t delta)
{
    const std::uint32_t pageRva = Read32(image + blockRva);
    const std::uint32_t entryCount = (blockSize - 8) / 2;
    for (std::uint32_t i = 0; i < entryCount; ++i) {
        const std::uint16_t entry = Read16(image + blockRva + 8 + i * 2);
        const std::uint64_t target = static_cast<std::uint64_t>(pageRva) + (entry & 0x0FFF);
        if (!ApplyFixup(image, layout, entry >> 12, target, delta))
            return false;
    }
    return true;
}

// One import address table: the entries up to the first 0, each matched
// with its slot in the address table.
bool ReadThunks(const std::uint8_t* image, const PeLayout& layout, std::uint32_t lookupRva, std::uint32_t slotRva,
                std::vector<PeImport>& imports)
{
    const std::size_t thunkSize = ThunkSize(layout);
    const std::uint64_t ordinalFlag = std::uint64_t(1) << (thunkSize * 8 - 1);
    for (std::uint64_t offset = 0;; offset += thunkSize) {
        if (!Fits(lookupRva + offset, thunkSize, layout.sizeOfImage)
            || !Fits(slotRva + offset, thunkSize, layout.sizeOfImage))
            return false;
        const std::uint8_t* entryBytes = image + lookupRva + offset;
        const std::uint64_t entry = layout.is64 ? Read64(entryBytes) : Read32(entryBytes);
        if (entry == 0)
            return true;
        PeImport import;
        import.slotRva = static_cast<std::uint32_t>(slotRva + offset);
        if (entry & ordinalFlag) {
            import.byOrdinal = true;
            import.ordinal = static_cast<std::uint16_t>(entry);
        } else if (entry >= layout.sizeOfImage || !ReadText(image, layout, static_cast<std::uint32_t>(entry) + 2, import.name)
                   || import.name.empty()) {
            // A hint/name record: a two-byte hint, then the name.
            return false;
        }
        imports.push_back(import);
    }
}

bool ReadImportDescriptor(const std::uint8_t* image, const PeLayout& layout, const std::uint8_t* descriptor,
                          PeImportModule& module)
{
    const std::uint32_t lookupRva = Read32(descriptor);
    const std::uint32_t nameRva = Read32(descriptor + 12);
    const std::uint32_t slotRva = Read32(descriptor + 16);
    if (slotRva == 0 || !ReadText(image, layout, nameRva, module.name) || module.name.empty())
        return false;
    return ReadThunks(image, layout, lookupRva != 0 ? lookupRva : slotRva, slotRva, module.imports);
}

// The export directory's arrays, checked against the image.
struct ExportArrays {
    std::uint32_t functions = 0;
    std::uint32_t functionCount = 0;
    std::uint32_t names = 0;
    std::uint32_t ordinals = 0;
    std::uint32_t nameCount = 0;
};

bool ReadExportArrays(const std::uint8_t* image, const PeLayout& layout, ExportArrays& arrays)
{
    const PeDataDirectory& directory = layout.directories[kPeExportDirectory];
    if (!Fits(directory.rva, kExportDirectorySize, layout.sizeOfImage))
        return false;
    const std::uint8_t* header = image + directory.rva;
    arrays.functionCount = Read32(header + 20);
    arrays.nameCount = Read32(header + 24);
    arrays.functions = Read32(header + 28);
    arrays.names = Read32(header + 32);
    arrays.ordinals = Read32(header + 36);
    return Fits(arrays.functions, std::uint64_t(arrays.functionCount) * 4, layout.sizeOfImage)
        && Fits(arrays.names, std::uint64_t(arrays.nameCount) * 4, layout.sizeOfImage)
        && Fits(arrays.ordinals, std::uint64_t(arrays.nameCount) * 2, layout.sizeOfImage);
}

// RVA of the function behind name entry i; 0 when its ordinal is out of range.
std::uint32_t ExportAddress(const std::uint8_t* image, const ExportArrays& arrays, std::uint32_t i)
{
    const std::uint16_t index = Read16(image + arrays.ordinals + i * 2);
    if (index >= arrays.functionCount)
        return 0;
    return Read32(image + arrays.functions + index * 4);
}

// Pages no section touches keep this mark until they are made read-only.
constexpr unsigned kUncoveredPage = 8;

void MarkPages(std::vector<unsigned>& pages, std::uint32_t pageSize, std::uint32_t rva, std::uint32_t size, unsigned access)
{
    if (size == 0)
        return;
    const std::uint64_t first = rva / pageSize;
    const std::uint64_t last = (std::uint64_t(rva) + size - 1) / pageSize;
    for (std::uint64_t page = first; page <= last && page < pages.size(); ++page)
        pages[page] = (pages[page] & ~kUncoveredPage) | access;
}

unsigned SectionAccess(std::uint32_t characteristics)
{
    unsigned access = 0;
    if (characteristics & kSectionRead)
        access |= kPeRead;
    if (characteristics & kSectionWrite)
        access |= kPeWrite;
    if (characteristics & kSectionExecute)
        access |= kPeExecute;
    return access;
}

} // namespace

bool PeReadLayout(const std::uint8_t* file, std::size_t fileSize, PeMachine machine, PeLayout& layout)
{
    layout = PeLayout();
    if (!file)
        return false;
    const std::size_t ntOffset = FindNtHeaders(file, fileSize);
    if (ntOffset == 0)
        return false;
    const std::uint8_t* fileHeader = file + ntOffset + 4;
    if (Read16(fileHeader) != static_cast<std::uint16_t>(machine))
        return false;
    layout.machine = machine;
    const std::uint16_t sectionCount = Read16(fileHeader + 2);
    const std::uint16_t optionalSize = Read16(fileHeader + 16);
    layout.relocationsStripped = (Read16(fileHeader + 18) & kFileRelocsStripped) != 0;
    const std::size_t optionalOffset = ntOffset + 4 + kFileHeaderSize;
    if (!Fits(optionalOffset, optionalSize, fileSize) || !ReadOptionalHeader(file + optionalOffset, optionalSize, layout))
        return false;
    if (layout.sizeOfImage == 0 || layout.sizeOfImage > kPeMaxImageSize || layout.sizeOfHeaders > layout.sizeOfImage
        || layout.sizeOfHeaders > fileSize || layout.entryPointRva >= layout.sizeOfImage)
        return false;
    const std::size_t tableOffset = optionalOffset + optionalSize;
    if (!Fits(tableOffset, std::uint64_t(sectionCount) * kSectionHeaderSize, fileSize))
        return false;
    for (std::size_t i = 0; i < sectionCount; ++i) {
        if (!ReadSection(file + tableOffset + i * kSectionHeaderSize, fileSize, layout))
            return false;
    }
    return true;
}

void PeCopySections(const std::uint8_t* file, const PeLayout& layout, std::uint8_t* image)
{
    std::memcpy(image, file, layout.sizeOfHeaders);
    for (const PeSection& section : layout.sections)
        std::memcpy(image + section.virtualAddress, file + section.rawOffset, section.copySize);
}

bool PeApplyRelocations(std::uint8_t* image, const PeLayout& layout, std::uint64_t newBase)
{
    const PeDataDirectory& directory = layout.directories[kPeRelocationDirectory];
    if (!IsPresent(directory))
        return true;
    if (!DirectoryFits(layout, directory))
        return false;
    const std::uint64_t delta = newBase - layout.imageBase;
    for (std::uint32_t offset = 0; offset < directory.size;) {
        if (!Fits(offset, 8, directory.size))
            return false;
        const std::uint32_t blockRva = directory.rva + offset;
        const std::uint32_t blockSize = Read32(image + blockRva + 4);
        // Zero padding after the last block ends the table.
        if (blockSize == 0 && Read32(image + blockRva) == 0)
            return true;
        if (blockSize < 8 || !Fits(offset, blockSize, directory.size))
            return false;
        if (!ApplyRelocationBlock(image, layout, blockRva, blockSize, delta))
            return false;
        offset += blockSize;
    }
    return true;
}

bool PeReadImports(const std::uint8_t* image, const PeLayout& layout, std::vector<PeImportModule>& modules)
{
    modules.clear();
    const PeDataDirectory& directory = layout.directories[kPeImportDirectory];
    if (!IsPresent(directory))
        return true;
    // The list ends with a descriptor whose name is 0; the directory's size is
    // not trusted to say where.
    for (std::uint64_t rva = directory.rva;; rva += kImportDescriptorSize) {
        if (!Fits(rva, kImportDescriptorSize, layout.sizeOfImage))
            return false;
        const std::uint8_t* descriptor = image + rva;
        if (Read32(descriptor + 12) == 0)
            return true;
        PeImportModule module;
        if (!ReadImportDescriptor(image, layout, descriptor, module))
            return false;
        modules.push_back(std::move(module));
    }
}

bool PeCheckExports(const std::uint8_t* image, const PeLayout& layout)
{
    if (!IsPresent(layout.directories[kPeExportDirectory]))
        return true;
    ExportArrays arrays;
    if (!ReadExportArrays(image, layout, arrays))
        return false;
    std::string name;
    for (std::uint32_t i = 0; i < arrays.nameCount; ++i) {
        if (!ReadText(image, layout, Read32(image + arrays.names + i * 4), name)
            || Read16(image + arrays.ordinals + i * 2) >= arrays.functionCount)
            return false;
    }
    for (std::uint32_t i = 0; i < arrays.functionCount; ++i) {
        if (Read32(image + arrays.functions + i * 4) >= layout.sizeOfImage)
            return false;
    }
    return true;
}

std::uint32_t PeFindExport(const std::uint8_t* image, const PeLayout& layout, const std::string& name)
{
    const PeDataDirectory& directory = layout.directories[kPeExportDirectory];
    ExportArrays arrays;
    if (!IsPresent(directory) || !ReadExportArrays(image, layout, arrays))
        return 0;
    std::string candidate;
    for (std::uint32_t i = 0; i < arrays.nameCount; ++i) {
        if (!ReadText(image, layout, Read32(image + arrays.names + i * 4), candidate) || candidate != name)
            continue;
        const std::uint32_t rva = ExportAddress(image, arrays, i);
        // An address inside the export directory is a forwarder text, not code.
        const bool forwarded = rva >= directory.rva && rva - directory.rva < directory.size;
        return rva < layout.sizeOfImage && !forwarded ? rva : 0;
    }
    return 0;
}

std::vector<PeProtectedRange> PeSectionProtections(const PeLayout& layout, std::uint32_t pageSize)
{
    std::vector<unsigned> pages((std::uint64_t(layout.sizeOfImage) + pageSize - 1) / pageSize, kUncoveredPage);
    for (const PeSection& section : layout.sections)
        MarkPages(pages, pageSize, section.virtualAddress, section.mappedSize, SectionAccess(section.characteristics));
    for (unsigned& page : pages) {
        if (page == kUncoveredPage)
            page = kPeRead;
    }
    MarkPages(pages, pageSize, 0, layout.sizeOfHeaders, kPeRead);

    std::vector<PeProtectedRange> ranges;
    for (std::size_t page = 0; page < pages.size(); ++page) {
        if (!ranges.empty() && ranges.back().access == pages[page])
            ranges.back().size += pageSize;
        else
            ranges.push_back({static_cast<std::uint32_t>(page * pageSize), pageSize, pages[page]});
    }
    return ranges;
}

bool PeReadExceptionTable(const std::uint8_t* image, const PeLayout& layout, std::uint32_t& rva, std::uint32_t& count)
{
    rva = 0;
    count = 0;
    const PeDataDirectory& directory = layout.directories[kPeExceptionDirectory];
    if (!layout.is64 || !IsPresent(directory))
        return true;
    if (!DirectoryFits(layout, directory) || directory.size % kRuntimeFunctionSize != 0)
        return false;
    const std::uint32_t entries = directory.size / kRuntimeFunctionSize;
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::uint8_t* entry = image + directory.rva + i * kRuntimeFunctionSize;
        const std::uint32_t begin = Read32(entry);
        const std::uint32_t end = Read32(entry + 4);
        const std::uint32_t unwindInfo = Read32(entry + 8);
        if (begin > end || end > layout.sizeOfImage || !Fits(unwindInfo, 4, layout.sizeOfImage))
            return false;
    }
    rva = directory.rva;
    count = entries;
    return true;
}
