#include "fileassociation.h"

#include "fileoperations.h"

#include <windows.h>

#include <cwctype>

namespace {

const wchar_t kOpenCommandKey[] = L"\\shell\\open\\command";
const int kReadAttempts = 3;

// The default value of a key under HKEY_CLASSES_ROOT, read at its real size;
// texts only (REG_EXPAND_SZ not expanded). False for a missing key, another
// type or a failed read.
bool ReadClassDefault(const std::wstring& keyName, std::wstring& text)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, keyName.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    bool read = false;
    // The value may grow between taking its size and reading it: try again.
    for (int attempt = 0; attempt < kReadAttempts && !read; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (::RegQueryValueExW(key, nullptr, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            break;
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            break;
        std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
        DWORD filled = static_cast<DWORD>(value.size() * sizeof(wchar_t));
        const LSTATUS status =
            ::RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(&value[0]), &filled);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
            break;
        // The stored text need not end with a terminator; it may hold several.
        value.resize(filled / sizeof(wchar_t));
        text = value.substr(0, value.find(L'\0'));
        read = true;
    }
    ::RegCloseKey(key);
    return read;
}

std::wstring ExtensionOf(const std::wstring& path)
{
    const size_t nameStart = path.find_last_of(L"\\/");
    const size_t dot = path.rfind(L'.');
    if (dot == std::wstring::npos || (nameStart != std::wstring::npos && dot < nameStart))
        return std::wstring();
    return path.substr(dot + 1);
}

} // namespace

std::wstring AssociationKeyName(const std::wstring& argument, bool namesExistingFile)
{
    if (namesExistingFile)
        return L"." + ExtensionOf(argument);
    if (argument.compare(0, 1, L".") != 0)
        return L"." + argument;
    return argument;
}

std::wstring ProgramFromOpenCommand(const std::wstring& command)
{
    std::wstring lower = command;
    for (wchar_t& c : lower)
        c = static_cast<wchar_t>(std::towlower(c));
    const size_t exe = lower.find(L".exe");
    if (exe == std::wstring::npos)
        return std::wstring();
    std::wstring program = command.substr(0, exe + 4);
    if (program[0] == L'"')
        program.erase(0, 1);
    return program;
}

std::wstring FindAssociatedProgram(const std::wstring& extensionOrPath)
{
    if (extensionOrPath.empty())
        return std::wstring();
    std::wstring className;
    if (!ReadClassDefault(AssociationKeyName(extensionOrPath, IsExistingFile(extensionOrPath)), className) ||
        className.empty())
        return std::wstring();
    std::wstring command;
    if (!ReadClassDefault(className + kOpenCommandKey, command))
        return std::wstring();
    return ProgramFromOpenCommand(command);
}
