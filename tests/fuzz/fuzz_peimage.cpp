// A library file for the in-memory loader: every check it makes on the file
// and on the mapped image, in the loader's order, for both machines.
#include "dynamiclibrarype.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Larger images are only refused or accepted by their headers here: mapping
// them would slow every run without reaching other code.
constexpr std::uint32_t kLargestMappedImage = 256u * 1024u;
// Where the loader might map the image instead of its preferred base.
constexpr std::uint64_t kOtherBase = 0x10000000;
constexpr std::uint32_t kPageSize = 4096;

// The loader writes and points into the image where these answers say,
// without checking again: anything outside the image is a fault here.
void Expect(bool holds)
{
    if (!holds)
        std::abort();
}

bool Inside(const PeLayout& layout, std::uint64_t rva, std::uint64_t size)
{
    return rva <= layout.sizeOfImage && size <= layout.sizeOfImage - rva;
}

void CheckExport(const std::vector<std::uint8_t>& image, const PeLayout& layout, const std::string& name)
{
    const std::uint32_t rva = PeFindExport(image.data(), layout, name);
    Expect(rva < layout.sizeOfImage);
}

void CheckMapped(const std::uint8_t* file, const PeLayout& layout)
{
    std::vector<std::uint8_t> image(layout.sizeOfImage, 0);
    PeCopySections(file, layout, image.data());
    if (!PeApplyRelocations(image.data(), layout, kOtherBase) || !PeCheckExports(image.data(), layout))
        return;
    CheckExport(image, layout, "NP_GetEntryPoints");
    std::vector<PeImportModule> imports;
    if (PeReadImports(image.data(), layout, imports)) {
        const std::uint32_t slotSize = layout.is64 ? 8 : 4;
        for (const PeImportModule& module : imports) {
            for (const PeImport& import : module.imports) {
                Expect(Inside(layout, import.slotRva, slotSize));
                CheckExport(image, layout, import.name);
            }
        }
    }
    const std::uint64_t mappedSize = (std::uint64_t(layout.sizeOfImage) + kPageSize - 1) / kPageSize * kPageSize;
    for (const PeProtectedRange& range : PeSectionProtections(layout, kPageSize))
        Expect(range.rva % kPageSize == 0 && std::uint64_t(range.rva) + range.size <= mappedSize);
    std::uint32_t rva = 0, count = 0;
    if (PeReadExceptionTable(image.data(), layout, rva, count))
        Expect(Inside(layout, rva, std::uint64_t(count) * 12));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    for (PeMachine machine : {PeMachine::I386, PeMachine::Amd64}) {
        PeLayout layout;
        if (PeReadLayout(data, size, machine, layout) && layout.sizeOfImage <= kLargestMappedImage)
            CheckMapped(data, layout);
    }
    return 0;
}
