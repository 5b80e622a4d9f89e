#include "directoryentries.h"

#include <windows.h>

DirectoryEntries::DirectoryEntries(const std::wstring& searchText)
{
    WIN32_FIND_DATAW data = {};
    m_handle = ::FindFirstFileW(searchText.c_str(), &data);
    m_hasEntry = TakeEntry(m_handle != INVALID_HANDLE_VALUE, &data);
    SkipDotEntries();
}

DirectoryEntries::~DirectoryEntries()
{
    if (m_handle != INVALID_HANDLE_VALUE)
        ::FindClose(m_handle);
}

bool DirectoryEntries::Opened() const
{
    return m_handle != INVALID_HANDLE_VALUE;
}

void DirectoryEntries::Advance()
{
    Step();
    SkipDotEntries();
}

void DirectoryEntries::Step()
{
    WIN32_FIND_DATAW data = {};
    m_hasEntry = TakeEntry(m_hasEntry && ::FindNextFileW(m_handle, &data), &data);
}

bool DirectoryEntries::IsFolder() const
{
    return (m_attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool DirectoryEntries::IsHiddenOrSystem() const
{
    return (m_attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
}

bool DirectoryEntries::IsLink() const
{
    return (m_attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool DirectoryEntries::TakeEntry(bool found, const void* findData)
{
    if (!found)
        return false;
    const auto& data = *static_cast<const WIN32_FIND_DATAW*>(findData);
    m_name = data.cFileName;
    m_attributes = data.dwFileAttributes;
    m_size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
}

bool DirectoryEntries::IsDotEntry() const
{
    return m_name == L"." || m_name == L"..";
}

void DirectoryEntries::SkipDotEntries()
{
    while (m_hasEntry && IsDotEntry())
        Step();
}
