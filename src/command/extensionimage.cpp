#include "extensionimage.h"

#include "textconv.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

wchar_t* __cdecl HostUtf8ToWide(const char* utf8)
{
    if (!utf8)
        return nullptr;
    const std::wstring wide = Utf8ToWide(std::string(utf8));
    auto* copy = static_cast<wchar_t*>(std::malloc((wide.size() + 1) * sizeof(wchar_t)));
    if (copy)
        std::memcpy(copy, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    return copy;
}

char* __cdecl HostWideToUtf8(const wchar_t* wide)
{
    if (!wide)
        return nullptr;
    const std::string utf8 = WideToUtf8(std::wstring(wide));
    auto* copy = static_cast<char*>(std::malloc(utf8.size() + 1));
    if (copy)
        std::memcpy(copy, utf8.c_str(), utf8.size() + 1);
    return copy;
}

void __cdecl HostFree(void* memory)
{
    std::free(memory);
}

template <class Function>
Function ExportOf(const TemporaryLibrary& library, const char* name)
{
    return reinterpret_cast<Function>(library.Symbol(name));
}

} // namespace

ExtensionImage::ExtensionImage(std::unique_ptr<unsigned char[]> bytes, int32_t size)
    : m_bytes(std::move(bytes)), m_size(size)
{
}

ExtensionImage::~ExtensionImage()
{
    Unload();
}

bool ExtensionImage::IsLibraryImage(const unsigned char* bytes, long size)
{
    return bytes && size > 1 && bytes[0] == 'M' && bytes[1] == 'Z';
}

void ExtensionImage::Load(CommandMap& commands)
{
    if (!m_bytes || m_library.IsLoaded())
        return;
    if (m_size <= 0 || !m_library.Load(m_bytes.get(), static_cast<size_t>(m_size), L"nxe"))
        return;
    ResolveExports();
    if (!m_initialise || !m_shutdown || !m_getNumCommands || !m_getCommandName || !m_getCommand)
        return;
    const ExtensionHostTable host = {HostUtf8ToWide, HostWideToUtf8, HostFree};
    m_initialise(&host);
    EnterRows(commands);
}

void ExtensionImage::ResolveExports()
{
    m_initialise = ExportOf<InitialiseFunction>(m_library, "Initialise");
    m_shutdown = ExportOf<ShutdownFunction>(m_library, "Shutdown");
    m_getNumCommands = ExportOf<CountFunction>(m_library, "GetNumCommands");
    m_getCommandName = ExportOf<NameFunction>(m_library, "GetCommandName");
    m_getCommand = ExportOf<RowFunction>(m_library, "GetCommand");
}

void ExtensionImage::EnterRows(CommandMap& commands) const
{
    const int32_t count = m_getNumCommands();
    for (int32_t index = 0; index < count; ++index) {
        const char* name = m_getCommandName(index);
        const CommandRow* row = m_getCommand(index);
        // A library that gives no name or no row for an index publishes nothing there.
        if (!name || !row)
            continue;
        commands[wxString(Utf8ToWide(std::string(name)))] = *row;
    }
}

void ExtensionImage::Unload()
{
    if (m_shutdown)
        m_shutdown();
    m_initialise = nullptr;
    m_shutdown = nullptr;
    m_getNumCommands = nullptr;
    m_getCommandName = nullptr;
    m_getCommand = nullptr;
    m_library.Unload();
    m_bytes.reset();
}
