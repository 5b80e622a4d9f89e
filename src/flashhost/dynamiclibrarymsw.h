#pragma once

#include "dynamiclibrary.h"
#include "dynamiclibrarype.h"

#include <windows.h>

#include <cstdint>
#include <vector>

// A DLL image mapped from a byte buffer without the system's loader: sections
// copied, relocated, imports bound, pages protected as the sections ask and
// the entry point called. The image must be of the machine this program is
// built for. Any fault in the image, an import module that cannot be loaded
// or an import that cannot be found leaves nothing mapped or loaded and
// m_loaded false.
class DynamicLibraryMSW : public DynamicLibrary {
public:
    // The image bytes are read only while the constructor runs.
    DynamicLibraryMSW(const std::uint8_t* pData, std::uint32_t dataLength);
    ~DynamicLibraryMSW() override;

    const void* GetSymbol(const wxString& name) const override;

private:
    using EntryPoint = BOOL(WINAPI*)(HINSTANCE, DWORD, LPVOID);

    bool Load();
    void Unload();

    std::uint8_t* ReserveImage() const;
    bool Relocate(std::uint8_t* base) const;
    bool ResolveImports(std::uint8_t* base);
    bool ResolveModule(std::uint8_t* base, HMODULE module, const PeImportModule& imports) const;
    bool ProtectPages(std::uint8_t* base) const;
    bool RegisterExceptionTable(std::uint8_t* base);
    void UnregisterExceptionTable();
    bool Attach(std::uint8_t* base);
    void Detach(std::uint8_t* base);
    void Discard(std::uint8_t* base);
    void ReleaseModules();

    const std::uint8_t* m_pData;
    std::uint32_t m_dataLength;
    std::uint8_t* m_pImageBase;
    std::vector<HMODULE> m_modules;
    EntryPoint m_entryPoint;
    PeLayout m_layout;
    void* m_exceptionTable; // registered function table, x86_64 only
};
