// A library file for the in-memory loader: every check it makes on the file
// and on the mapped image, in the loader's order, for both machines.
#include "dynamiclibrarype.h"

#include <cstdint>
#include <vector>

namespace {

// Larger images are only refused or accepted by their headers here: mapping
// them would slow every run without reaching other code.
constexpr std::uint32_t kLargestMappedImage = 256u * 1024u;
// Where the loader might map the image instead of its preferred base.
constexpr std::uint64_t kOtherBase = 0x10000000;
constexpr std::uint32_t kPageSize = 4096;

void CheckMapped(const std::uint8_t* file, const PeLayout& layout)
{
    std::vector<std::uint8_t> image(layout.sizeOfImage, 0);
    PeCopySections(file, layout, image.data());
    if (!PeApplyRelocations(image.data(), layout, kOtherBase) || !PeCheckExports(image.data(), layout))
        return;
    std::vector<PeImportModule> imports;
    PeReadImports(image.data(), layout, imports);
    PeFindExport(image.data(), layout, "NP_GetEntryPoints");
    for (const PeImportModule& module : imports) {
        for (const PeImport& import : module.imports)
            PeFindExport(image.data(), layout, import.name);
    }
    PeSectionProtections(layout, kPageSize);
    std::uint32_t rva = 0, count = 0;
    PeReadExceptionTable(image.data(), layout, rva, count);
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
