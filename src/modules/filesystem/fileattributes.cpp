#include "fileattributes.h"

#include <windows.h>

#include <optional>

namespace {

struct AttributeChange {
    DWORD flag;
    bool set;
};

std::optional<AttributeChange> ParseAttributeCode(const std::wstring& code)
{
    if (code.size() != 2 || (code[0] != L'+' && code[0] != L'-'))
        return std::nullopt;
    const bool set = code[0] == L'+';
    switch (code[1]) {
    case L'A':
        return AttributeChange{FILE_ATTRIBUTE_ARCHIVE, set};
    case L'H':
        return AttributeChange{FILE_ATTRIBUTE_HIDDEN, set};
    case L'R':
        return AttributeChange{FILE_ATTRIBUTE_READONLY, set};
    case L'S':
        return AttributeChange{FILE_ATTRIBUTE_SYSTEM, set};
    default:
        return std::nullopt;
    }
}

} // namespace

std::array<bool, 4> ReadAttributeFlags(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return {true, true, true, true};
    const DWORD word = data.dwFileAttributes;
    return {(word & FILE_ATTRIBUTE_ARCHIVE) != 0, (word & FILE_ATTRIBUTE_HIDDEN) != 0,
            (word & FILE_ATTRIBUTE_READONLY) != 0, (word & FILE_ATTRIBUTE_SYSTEM) != 0};
}

bool ApplyAttributeCode(const std::wstring& path, const std::wstring& code)
{
    const DWORD word = ::GetFileAttributesW(path.c_str());
    const std::optional<AttributeChange> change = ParseAttributeCode(code);
    if (word == INVALID_FILE_ATTRIBUTES || !change)
        return false;
    const DWORD changed = change->set ? word | change->flag : word & ~change->flag;
    return ::SetFileAttributesW(path.c_str(), changed) != 0;
}
