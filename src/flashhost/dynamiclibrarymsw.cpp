#include "dynamiclibrarymsw.h"

#include <wx/debug.h>

#include <cstring>

DynamicLibraryMSW::DynamicLibraryMSW(const std::uint8_t* pData, std::uint32_t dataLength)
    : m_pData(pData), m_dataLength(dataLength), m_pImageBase(nullptr), m_entryPoint(nullptr), m_exceptionTable(nullptr)
{
    wxASSERT(m_pData != 0);
    wxASSERT(m_dataLength > 0);
    m_loaded = Load();
}

DynamicLibraryMSW::~DynamicLibraryMSW()
{
    Unload();
}

const void* DynamicLibraryMSW::GetSymbol(const wxString& name) const
{
    if (!m_pImageBase)
        return nullptr;
    const std::uint32_t rva = PeFindExport(m_pImageBase, m_layout, std::string(name.utf8_str()));
    return rva != 0 ? m_pImageBase + rva : nullptr;
}

bool DynamicLibraryMSW::Load()
{
    if (!m_pData || !PeReadLayout(m_pData, m_dataLength, PeNativeMachine(), m_layout))
        return false;
    std::uint8_t* base = ReserveImage();
    if (!base)
        return false;
    PeCopySections(m_pData, m_layout, base);
    if (!Relocate(base) || !PeCheckExports(base, m_layout) || !ResolveImports(base) || !ProtectPages(base)
        || !RegisterExceptionTable(base)) {
        Discard(base);
        return false;
    }
    FlushInstructionCache(GetCurrentProcess(), base, m_layout.sizeOfImage);
    if (!Attach(base)) {
        Discard(base);
        return false;
    }
    // Published only now, so that look-ups answer NULL while the entry point runs.
    m_pImageBase = base;
    return true;
}

void DynamicLibraryMSW::Unload()
{
    if (m_pImageBase) {
        Detach(m_pImageBase);
        UnregisterExceptionTable();
        VirtualFree(m_pImageBase, 0, MEM_RELEASE);
        m_pImageBase = nullptr;
    }
    ReleaseModules();
}

// The preferred base first (no relocation needed), else wherever the system
// finds room, which the relocations then account for.
std::uint8_t* DynamicLibraryMSW::ReserveImage() const
{
    void* base = nullptr;
    if (m_layout.imageBase <= UINTPTR_MAX) {
        base = VirtualAlloc(reinterpret_cast<void*>(static_cast<std::uintptr_t>(m_layout.imageBase)),
                            m_layout.sizeOfImage, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    }
    if (m_layout.relocationsStripped) {
        // Such an image runs only where it was linked for.
        if (base && reinterpret_cast<std::uintptr_t>(base) != m_layout.imageBase) {
            VirtualFree(base, 0, MEM_RELEASE);
            base = nullptr;
        }
        return static_cast<std::uint8_t*>(base);
    }
    if (!base)
        base = VirtualAlloc(nullptr, m_layout.sizeOfImage, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    return static_cast<std::uint8_t*>(base);
}

bool DynamicLibraryMSW::Relocate(std::uint8_t* base) const
{
    return PeApplyRelocations(base, m_layout, reinterpret_cast<std::uintptr_t>(base));
}

bool DynamicLibraryMSW::ResolveImports(std::uint8_t* base)
{
    std::vector<PeImportModule> imports;
    if (!PeReadImports(base, m_layout, imports))
        return false;
    for (const PeImportModule& moduleImports : imports) {
        HMODULE module = LoadLibraryA(moduleImports.name.c_str());
        if (!module)
            return false;
        m_modules.push_back(module);
        if (!ResolveModule(base, module, moduleImports))
            return false;
    }
    return true;
}

bool DynamicLibraryMSW::ResolveModule(std::uint8_t* base, HMODULE module, const PeImportModule& imports) const
{
    for (const PeImport& import : imports.imports) {
        const char* procName = import.byOrdinal ? MAKEINTRESOURCEA(import.ordinal) : import.name.c_str();
        if (import.byOrdinal && import.ordinal == 0)
            return false;
        FARPROC address = GetProcAddress(module, procName);
        if (!address)
            return false;
        // The slot is as wide as a pointer: the image is of this build's machine.
        std::memcpy(base + import.slotRva, &address, sizeof address);
    }
    return true;
}

bool DynamicLibraryMSW::ProtectPages(std::uint8_t* base) const
{
    static const DWORD kProtection[8] = {
        PAGE_NOACCESS,          // none
        PAGE_READONLY,          // read
        PAGE_READWRITE,         // write (Windows has no write-only pages)
        PAGE_READWRITE,         // read, write
        PAGE_EXECUTE,           // execute
        PAGE_EXECUTE_READ,      // execute, read
        PAGE_EXECUTE_READWRITE, // execute, write
        PAGE_EXECUTE_READWRITE, // execute, read, write
    };
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    for (const PeProtectedRange& range : PeSectionProtections(m_layout, system.dwPageSize)) {
        DWORD previous = 0;
        if (!VirtualProtect(base + range.rva, range.size, kProtection[range.access & 7], &previous))
            return false;
    }
    return true;
}

// Without its function table the system cannot unwind through the image's
// code, so no exception (C++ or structured) could pass through it.
bool DynamicLibraryMSW::RegisterExceptionTable(std::uint8_t* base)
{
    std::uint32_t rva = 0;
    std::uint32_t count = 0;
    if (!PeReadExceptionTable(base, m_layout, rva, count))
        return false;
#ifdef _WIN64
    if (count != 0) {
        auto* table = reinterpret_cast<PRUNTIME_FUNCTION>(base + rva);
        if (!RtlAddFunctionTable(table, count, reinterpret_cast<DWORD64>(base)))
            return false;
        m_exceptionTable = table;
    }
#endif
    return true;
}

void DynamicLibraryMSW::UnregisterExceptionTable()
{
#ifdef _WIN64
    if (m_exceptionTable)
        RtlDeleteFunctionTable(static_cast<PRUNTIME_FUNCTION>(m_exceptionTable));
#endif
    m_exceptionTable = nullptr;
}

// A library that refuses the process attach gets its detach at once and is
// not used, as the system's loader does.
bool DynamicLibraryMSW::Attach(std::uint8_t* base)
{
    if (m_layout.entryPointRva == 0)
        return true;
    m_entryPoint = reinterpret_cast<EntryPoint>(base + m_layout.entryPointRva);
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(base);
    if (!m_entryPoint(instance, DLL_PROCESS_ATTACH, nullptr)) {
        m_entryPoint(instance, DLL_PROCESS_DETACH, nullptr);
        m_entryPoint = nullptr;
        return false;
    }
    m_entryPoint(instance, DLL_THREAD_ATTACH, nullptr);
    return true;
}

void DynamicLibraryMSW::Detach(std::uint8_t* base)
{
    if (!m_entryPoint)
        return;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(base);
    m_entryPoint(instance, DLL_THREAD_DETACH, nullptr);
    m_entryPoint(instance, DLL_PROCESS_DETACH, nullptr);
    m_entryPoint = nullptr;
}

// Undoes a load that failed part-way.
void DynamicLibraryMSW::Discard(std::uint8_t* base)
{
    UnregisterExceptionTable();
    VirtualFree(base, 0, MEM_RELEASE);
    ReleaseModules();
}

void DynamicLibraryMSW::ReleaseModules()
{
    for (HMODULE module : m_modules)
        FreeLibrary(module);
    m_modules.clear();
}
