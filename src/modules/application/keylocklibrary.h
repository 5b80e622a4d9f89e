#pragma once

#include "temporarylibrary.h"

#include <wx/string.h>

#include <cstddef>
#include <cstdint>
#include <memory>

// The kiosk key-lock library, an outside DLL that the program carries as
// resource "BIN" 102. It is written to a temporary file, loaded from there,
// and its exports are resolved by name; the Kiosk commands call it through
// this class. One instance for the process.
class KeyLockLibrary {
public:
    static KeyLockLibrary& Get();

    // Writes the image to a new temporary file ("nxadll" prefix, user's
    // temporary folder), loads it and resolves the exports. A missing export
    // leaves its call doing nothing. False when the image is empty or the
    // library cannot be written or loaded.
    bool Load(const uint8_t* image, size_t size);
    // Calls "wlExit" when resolved, unloads the library and deletes the
    // temporary copy.
    void Unload();

    bool IsLoaded() const;
    wxString TemporaryPath() const { return m_library.Path(); }

    // "wlDisableKey": flag 1 disables the key combination, 0 enables it again.
    void DisableKey(void* window, int32_t keyCode, int32_t modifierCode, int32_t flag);
    // "wlDisableItem": flag 1 disables the desktop item, 0 enables it again.
    void DisableItem(int32_t itemCode, int32_t flag);
    // "wlInstallDwl" (25) when the login screen is not installed yet.
    void InstallLoginScreen();
    // "wlUninstallDwl" (26) when the login screen is installed.
    void UninstallLoginScreen();

private:
    KeyLockLibrary() = default;
    ~KeyLockLibrary();

    struct Exports;

    void ResolveExports();

    TemporaryLibrary m_library;
    std::unique_ptr<Exports> m_exports;
};

// The module's start-up: loads the library from resource "BIN" 102.
bool LoadKeyLockLibrary();
// The module's shut-down: KeyLockLibrary::Unload.
void UnloadKeyLockLibrary();
