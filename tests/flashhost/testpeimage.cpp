#include "testpeimage.h"

#include <map>

namespace {

constexpr std::uint32_t kPage = 0x1000;
constexpr std::uint32_t kRead = 0x40000000;
constexpr std::uint32_t kWrite = 0x80000000;

bool Is64(PeMachine machine)
{
    return machine == PeMachine::Amd64;
}

void PutText(std::vector<std::uint8_t>& bytes, std::size_t offset, const std::string& text)
{
    for (std::size_t i = 0; i < text.size(); ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(text[i]);
    bytes[offset + text.size()] = 0;
}

void PutThunk(std::vector<std::uint8_t>& bytes, std::size_t offset, bool is64, std::uint64_t value)
{
    if (is64)
        PutLe64(bytes, offset, value);
    else
        PutLe32(bytes, offset, static_cast<std::uint32_t>(value));
}

// Writes the export directory; returns its size.
std::uint32_t WriteExports(std::vector<std::uint8_t>& file, const std::vector<TestPeExport>& exports)
{
    const std::size_t base = TestPeImage::FileOffset(TestPeImage::kExportRva);
    const std::uint32_t count = static_cast<std::uint32_t>(exports.size());
    const std::uint32_t functions = TestPeImage::kExportRva + 40;
    const std::uint32_t names = functions + count * 4;
    const std::uint32_t ordinals = names + count * 4;
    std::uint32_t text = ordinals + count * 2;
    PutLe32(file, base + 16, 1);          // ordinal base
    PutLe32(file, base + 20, count);      // functions
    PutLe32(file, base + 24, count);      // names
    PutLe32(file, base + 28, functions);
    PutLe32(file, base + 32, names);
    PutLe32(file, base + 36, ordinals);
    for (std::uint32_t i = 0; i < count; ++i) {
        PutLe32(file, TestPeImage::FileOffset(names + i * 4), text);
        PutLe16(file, TestPeImage::FileOffset(ordinals + i * 2), static_cast<std::uint16_t>(i));
        PutText(file, TestPeImage::FileOffset(text), exports[i].name);
        text += static_cast<std::uint32_t>(exports[i].name.size() + 1);
        std::uint32_t address = exports[i].rva;
        if (!exports[i].forwarder.empty()) {
            address = text;
            PutText(file, TestPeImage::FileOffset(text), exports[i].forwarder);
            text += static_cast<std::uint32_t>(exports[i].forwarder.size() + 1);
        }
        PutLe32(file, TestPeImage::FileOffset(functions + i * 4), address);
    }
    return text - TestPeImage::kExportRva;
}

// Writes one block per page; returns the directory size.
std::uint32_t WriteRelocations(std::vector<std::uint8_t>& file, const std::vector<TestPeRelocation>& relocations)
{
    std::map<std::uint32_t, std::vector<std::uint16_t>> pages;
    for (const TestPeRelocation& relocation : relocations)
        pages[relocation.rva & ~0xFFFu].push_back(static_cast<std::uint16_t>(relocation.type << 12 | (relocation.rva & 0xFFF)));
    std::size_t offset = TestPeImage::FileOffset(TestPeImage::kRelocationRva);
    std::uint32_t total = 0;
    for (auto& [page, entries] : pages) {
        if (entries.size() % 2)
            entries.push_back(0); // pad the block to 4 bytes
        const std::uint32_t blockSize = static_cast<std::uint32_t>(8 + entries.size() * 2);
        PutLe32(file, offset, page);
        PutLe32(file, offset + 4, blockSize);
        for (std::size_t i = 0; i < entries.size(); ++i)
            PutLe16(file, offset + 8 + i * 2, entries[i]);
        offset += blockSize;
        total += blockSize;
    }
    return total;
}

// Writes the descriptors, the lookup and address tables, names and
// hint/name records; returns the directory size.
std::uint32_t WriteImports(std::vector<std::uint8_t>& file, const std::vector<TestPeImportModule>& modules, bool is64)
{
    const std::uint32_t thunk = is64 ? 8 : 4;
    const std::uint32_t descriptorsSize = static_cast<std::uint32_t>((modules.size() + 1) * 20);
    std::uint32_t next = TestPeImage::kImportRva + descriptorsSize;
    const std::uint64_t ordinalFlag = std::uint64_t(1) << (thunk * 8 - 1);
    for (std::size_t m = 0; m < modules.size(); ++m) {
        const TestPeImportModule& module = modules[m];
        const std::uint32_t entries = static_cast<std::uint32_t>(module.names.size() + module.ordinals.size());
        const std::uint32_t lookup = next;
        const std::uint32_t addresses = lookup + (entries + 1) * thunk;
        next = addresses + (entries + 1) * thunk;
        const std::size_t descriptor = TestPeImage::FileOffset(TestPeImage::kImportRva) + m * 20;
        PutLe32(file, descriptor, module.withLookupTable ? lookup : 0);
        PutLe32(file, descriptor + 4, module.prebound ? 0xFFFFFFFF : 0);
        PutLe32(file, descriptor + 12, next);
        PutLe32(file, descriptor + 16, addresses);
        PutText(file, TestPeImage::FileOffset(next), module.name);
        next += static_cast<std::uint32_t>(module.name.size() + 1);
        std::uint32_t index = 0;
        auto putEntry = [&](std::uint64_t value) {
            PutThunk(file, TestPeImage::FileOffset(lookup + index * thunk), is64, value);
            PutThunk(file, TestPeImage::FileOffset(addresses + index * thunk), is64,
                     module.prebound ? 0x7654321 + index : value);
            ++index;
        };
        for (const std::string& name : module.names) {
            PutLe16(file, TestPeImage::FileOffset(next), 0x1234); // hint
            PutText(file, TestPeImage::FileOffset(next + 2), name);
            putEntry(next);
            next += static_cast<std::uint32_t>(name.size() + 3);
        }
        for (std::uint16_t ordinal : module.ordinals)
            putEntry(ordinalFlag | ordinal);
    }
    return next - TestPeImage::kImportRva;
}

} // namespace

TestPeImage::TestPeImage(PeMachine machine)
    : machine(machine), imageBase(Is64(machine) ? 0x1A0000000ull : 0x10000000ull)
{
}

std::size_t TestPeImage::OptionalHeaderSize() const
{
    return (Is64(machine) ? 112 : 96) + 16 * 8;
}

std::size_t TestPeImage::SectionHeaderOffset(std::size_t index) const
{
    return kOptionalOffset + OptionalHeaderSize() + index * 40;
}

std::size_t TestPeImage::DirectoryOffset(unsigned index) const
{
    return kOptionalOffset + (Is64(machine) ? 112 : 96) + index * 8;
}

std::size_t TestPeImage::FileOffset(std::uint32_t rva)
{
    return kDataFileOffset + (rva - kDataRva);
}

std::vector<std::uint8_t> TestPeImage::Build() const
{
    const bool is64 = Is64(machine);
    std::vector<std::uint8_t> file(kDataFileOffset + 4 * kPage, 0);
    PutLe16(file, 0, 0x5A4D);
    PutLe32(file, 0x3C, kNtOffset);
    PutLe32(file, kNtOffset, 0x00004550);
    PutLe16(file, kFileHeaderOffset, static_cast<std::uint16_t>(machine));
    PutLe16(file, kFileHeaderOffset + 2, kSectionCount);
    PutLe16(file, kFileHeaderOffset + 16, static_cast<std::uint16_t>(OptionalHeaderSize()));
    PutLe16(file, kFileHeaderOffset + 18, 0x2102); // executable, 32-bit words, DLL

    const std::size_t optional = kOptionalOffset;
    PutLe16(file, optional, is64 ? 0x020B : 0x010B);
    PutLe32(file, optional + 16, entryPointRva);
    if (is64)
        PutLe64(file, optional + 24, imageBase);
    else
        PutLe32(file, optional + 28, static_cast<std::uint32_t>(imageBase));
    PutLe32(file, optional + 32, kPage);
    PutLe32(file, optional + 36, 0x200);
    PutLe32(file, optional + 56, kImageSize);
    PutLe32(file, optional + 60, kHeadersSize);
    PutLe32(file, optional + (is64 ? 108 : 92), 16);

    struct SectionSpec {
        const char* name;
        std::uint32_t rva, virtualSize, rawSize, characteristics;
    };
    const std::uint32_t dataRaw = static_cast<std::uint32_t>(data.size());
    const SectionSpec sections[kSectionCount] = {
        {".data", kDataRva, dataVirtualSize ? dataVirtualSize : dataRaw, dataRaw, kRead | kWrite},
        {".edata", kExportRva, kPage, kPage, kRead},
        {".reloc", kRelocationRva, kPage, kPage, kRead},
        {".idata", kImportRva, kPage, kPage, kRead | kWrite},
        {".bss", kBssRva, bssSize, 0, kRead | kWrite},
    };
    for (std::size_t i = 0; i < kSectionCount; ++i) {
        const std::size_t header = SectionHeaderOffset(i);
        for (std::size_t c = 0; sections[i].name[c]; ++c)
            file[header + c] = static_cast<std::uint8_t>(sections[i].name[c]);
        PutLe32(file, header + 8, sections[i].virtualSize);
        PutLe32(file, header + 12, sections[i].rva);
        PutLe32(file, header + 16, sections[i].rawSize);
        PutLe32(file, header + 20, sections[i].rawSize ? static_cast<std::uint32_t>(FileOffset(sections[i].rva)) : 0);
        PutLe32(file, header + 36, sections[i].characteristics);
    }
    std::copy(data.begin(), data.end(), file.begin() + FileOffset(kDataRva));

    auto setDirectory = [&](unsigned index, std::uint32_t rva, std::uint32_t size) {
        PutLe32(file, DirectoryOffset(index), rva);
        PutLe32(file, DirectoryOffset(index) + 4, size);
    };
    if (!exports.empty())
        setDirectory(kPeExportDirectory, kExportRva, WriteExports(file, exports));
    if (!relocations.empty())
        setDirectory(kPeRelocationDirectory, kRelocationRva, WriteRelocations(file, relocations));
    if (!imports.empty())
        setDirectory(kPeImportDirectory, kImportRva, WriteImports(file, imports, is64));
    return file;
}

void PutLe16(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint16_t value)
{
    bytes.at(offset) = static_cast<std::uint8_t>(value);
    bytes.at(offset + 1) = static_cast<std::uint8_t>(value >> 8);
}

void PutLe32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value)
{
    PutLe16(bytes, offset, static_cast<std::uint16_t>(value));
    PutLe16(bytes, offset + 2, static_cast<std::uint16_t>(value >> 16));
}

void PutLe64(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint64_t value)
{
    PutLe32(bytes, offset, static_cast<std::uint32_t>(value));
    PutLe32(bytes, offset + 4, static_cast<std::uint32_t>(value >> 32));
}

std::uint32_t GetLe32(const std::uint8_t* bytes)
{
    return static_cast<std::uint32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16) | static_cast<std::uint32_t>(bytes[3]) << 24;
}

std::uint64_t GetLe64(const std::uint8_t* bytes)
{
    return GetLe32(bytes) | static_cast<std::uint64_t>(GetLe32(bytes + 4)) << 32;
}
