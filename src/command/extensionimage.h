#pragma once

#include "commandrow.h"
#include "temporarylibrary.h"

#include <wx/string.h>

#include <cstdint>
#include <map>
#include <memory>

// Host functions handed to an extension's "Initialise"; the table lives only
// during that call.
struct ExtensionHostTable {
    wchar_t*(__cdecl* HostUtf8ToWide)(const char* utf8);   // new UTF-16 copy, null for null
    char*(__cdecl* HostWideToUtf8)(const wchar_t* wide);   // new UTF-8 copy, null for null
    void(__cdecl* HostFree)(void* memory);                 // frees what the two above return
};

using CommandMap = std::map<wxString, CommandRow>;

// A native library embedded in the project that adds commands of its own. It
// is written to a temporary file, loaded, initialised and asked for its rows;
// at shut-down it is shut down, unloaded and its file deleted. No failure is
// reported: a library that cannot be written or loaded, or lacks one of the
// five exports, simply adds no commands.
class ExtensionImage {
public:
    ExtensionImage(std::unique_ptr<unsigned char[]> bytes, int32_t size);
    ~ExtensionImage();
    ExtensionImage(const ExtensionImage&) = delete;
    ExtensionImage& operator=(const ExtensionImage&) = delete;

    // An embedded file is taken for a library when it has more than one byte
    // and begins with "MZ".
    static bool IsLibraryImage(const unsigned char* bytes, long size);

    // Writes, loads and initialises the library and enters its rows in the
    // map, replacing rows of the same name.
    void Load(CommandMap& commands);
    // Calls "Shutdown" when it was resolved, unloads the library, releases the
    // bytes and deletes the temporary file. Safe to call more than once.
    void Unload();

    const wxString& TempPath() const { return m_library.Path(); }

private:
    using InitialiseFunction = void(__cdecl*)(const ExtensionHostTable* host);
    using ShutdownFunction = void(__cdecl*)();
    using CountFunction = int32_t(__cdecl*)();
    using NameFunction = const char*(__cdecl*)(int32_t index);
    using RowFunction = const CommandRow*(__cdecl*)(int32_t index);

    void ResolveExports();
    void EnterRows(CommandMap& commands) const;

    std::unique_ptr<unsigned char[]> m_bytes;
    int32_t m_size;
    TemporaryLibrary m_library;
    InitialiseFunction m_initialise = nullptr;
    ShutdownFunction m_shutdown = nullptr;
    CountFunction m_getNumCommands = nullptr;
    NameFunction m_getCommandName = nullptr;
    RowFunction m_getCommand = nullptr;
};
