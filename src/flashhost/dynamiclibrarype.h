#pragma once

// Reading and checking of PE/COFF library images for the in-memory loader.
// Nothing here touches the operating system: the functions read a file image
// or a mapped image (a buffer of SizeOfImage bytes laid out by section
// address) and check every structure they follow against the buffer's end, so
// a damaged or hostile image is refused instead of read past.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class PeMachine : std::uint16_t {
    I386 = 0x014C,
    Amd64 = 0x8664,
};

// The machine whose images this build can run.
constexpr PeMachine PeNativeMachine()
{
#if defined(__x86_64__) || defined(_M_X64)
    return PeMachine::Amd64;
#else
    return PeMachine::I386;
#endif
}

enum PeDirectoryIndex : unsigned {
    kPeExportDirectory = 0,
    kPeImportDirectory = 1,
    kPeExceptionDirectory = 3,
    kPeRelocationDirectory = 5,
    kPeDirectoryCount = 16,
};

struct PeDataDirectory {
    std::uint32_t rva = 0;
    std::uint32_t size = 0;
};

struct PeSection {
    std::uint32_t virtualAddress = 0;
    std::uint32_t mappedSize = 0; // bytes the section takes in the mapped image
    std::uint32_t rawOffset = 0;
    std::uint32_t copySize = 0;   // bytes copied from the file: min(raw size, mapped size)
    std::uint32_t characteristics = 0;
};

// What the loader needs of an image's headers, already checked against the
// file and against SizeOfImage.
struct PeLayout {
    PeMachine machine = PeMachine::I386;
    bool is64 = false; // PE32+ (8-byte addresses and import thunks)
    bool relocationsStripped = false;
    std::uint64_t imageBase = 0;
    std::uint32_t sizeOfImage = 0;
    std::uint32_t sizeOfHeaders = 0;
    std::uint32_t entryPointRva = 0;
    PeDataDirectory directories[kPeDirectoryCount];
    std::vector<PeSection> sections;
};

// Largest image the loader agrees to map.
constexpr std::uint32_t kPeMaxImageSize = 512u * 1024u * 1024u;

// Checks the DOS and NT headers, the machine, the optional header, the section
// table and each section's placement in the file and in the image.
bool PeReadLayout(const std::uint8_t* file, std::size_t fileSize, PeMachine machine, PeLayout& layout);

// Copies the headers and every section's file bytes into a mapped image of
// layout.sizeOfImage bytes that the caller has filled with zeros.
void PeCopySections(const std::uint8_t* file, const PeLayout& layout, std::uint8_t* image);

// Walks the base relocation blocks of a mapped image and moves every
// fix-up from layout.imageBase to newBase. False for a block or fix-up outside
// the image, or a fix-up type the loader does not know; the image is then
// partly changed and must be thrown away.
bool PeApplyRelocations(std::uint8_t* image, const PeLayout& layout, std::uint64_t newBase);

struct PeImport {
    std::uint32_t slotRva = 0; // import address table entry that receives the address
    bool byOrdinal = false;
    std::uint16_t ordinal = 0;
    std::string name;
};

struct PeImportModule {
    std::string name;
    std::vector<PeImport> imports;
};

// Reads the import descriptors of a mapped image, in directory order. The
// names come from the import lookup table when the descriptor has one, else
// from the import address table itself.
bool PeReadImports(const std::uint8_t* image, const PeLayout& layout, std::vector<PeImportModule>& modules);

// Checks the export directory and its three arrays, every name and every
// name ordinal. An image without an export directory passes.
bool PeCheckExports(const std::uint8_t* image, const PeLayout& layout);

// RVA of the code or data exported under this exact (case-sensitive) name;
// 0 when the image exports no such name, when the export is forwarded to
// another library, or when the export structures do not fit the image.
std::uint32_t PeFindExport(const std::uint8_t* image, const PeLayout& layout, const std::string& name);

enum PeAccess : unsigned {
    kPeRead = 1,
    kPeWrite = 2,
    kPeExecute = 4,
};

struct PeProtectedRange {
    std::uint32_t rva = 0;
    std::uint32_t size = 0;
    unsigned access = 0; // PeAccess bits
};

// The access each page of the mapped image gets, as runs of pages with the
// same access: headers read-only, section pages the union of the access of
// the sections that touch them, pages between sections read-only.
std::vector<PeProtectedRange> PeSectionProtections(const PeLayout& layout, std::uint32_t pageSize);

// The exception table of a PE32+ image (12-byte function entries): its RVA
// and entry count, both 0 when the image has none. False when the table or
// one of its entries lies outside the image.
bool PeReadExceptionTable(const std::uint8_t* image, const PeLayout& layout, std::uint32_t& rva, std::uint32_t& count);
