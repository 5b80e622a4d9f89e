#pragma once

// Builds small PE library images byte by byte, for checking the loader
// against known contents and against damaged headers. The layout is fixed:
// headers, then one page each for data, exports, relocations, imports and an
// uninitialised-data section.

#include "dynamiclibrarype.h"

#include <cstdint>
#include <string>
#include <vector>

struct TestPeExport {
    std::string name;
    std::uint32_t rva = 0;
    std::string forwarder; // when set, the export forwards to this text
};

struct TestPeImportModule {
    std::string name;
    std::vector<std::string> names;
    std::vector<std::uint16_t> ordinals;
    bool withLookupTable = true;
    bool prebound = false; // address table holds stale bound addresses, time stamp set
};

struct TestPeRelocation {
    std::uint32_t rva = 0;
    unsigned type = 0;
};

class TestPeImage {
public:
    static constexpr std::uint32_t kDataRva = 0x1000;
    static constexpr std::uint32_t kExportRva = 0x2000;
    static constexpr std::uint32_t kRelocationRva = 0x3000;
    static constexpr std::uint32_t kImportRva = 0x4000;
    static constexpr std::uint32_t kBssRva = 0x5000;
    static constexpr std::uint32_t kImageSize = 0x6000;
    static constexpr std::uint32_t kHeadersSize = 0x400;
    static constexpr std::size_t kNtOffset = 0x80;
    static constexpr std::size_t kFileHeaderOffset = kNtOffset + 4;
    static constexpr std::size_t kOptionalOffset = kFileHeaderOffset + 20;
    static constexpr std::size_t kDataFileOffset = 0x400;
    static constexpr std::size_t kSectionCount = 5;

    explicit TestPeImage(PeMachine machine);

    PeMachine machine;
    std::uint64_t imageBase;
    std::uint32_t entryPointRva = 0;
    std::vector<std::uint8_t> data;    // raw bytes of the data section, at most a page
    std::uint32_t dataVirtualSize = 0; // 0: the raw size
    std::uint32_t bssSize = 0x100;
    std::vector<TestPeExport> exports;
    std::vector<TestPeRelocation> relocations;
    std::vector<TestPeImportModule> imports;

    std::vector<std::uint8_t> Build() const;

    // File offsets of header fields, for damaging a built image.
    std::size_t OptionalHeaderSize() const;
    std::size_t SectionHeaderOffset(std::size_t index) const;
    std::size_t DirectoryOffset(unsigned index) const;
    // File offset of a byte of one of the fixed sections, given its RVA.
    static std::size_t FileOffset(std::uint32_t rva);
};

void PutLe16(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint16_t value);
void PutLe32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value);
void PutLe64(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint64_t value);
std::uint32_t GetLe32(const std::uint8_t* bytes);
std::uint64_t GetLe64(const std::uint8_t* bytes);
