#include "fileview.h"

#include <windows.h>

#include <cstdint>

std::shared_ptr<const FileView> FileView::Open(const std::wstring& path)
{
    // Writers are shut out while the view is made: a file that someone has
    // open for writing could change under the view.
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    LARGE_INTEGER size = {};
    void* data = nullptr;
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && static_cast<uint64_t>(size.QuadPart) <= SIZE_MAX) {
        // The view keeps the mapping alive once both handles are closed.
        const HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
        if (mapping) {
            data = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
            CloseHandle(mapping);
        }
    }
    CloseHandle(file);
    if (!data)
        return nullptr;
    return std::shared_ptr<const FileView>(
        new FileView(static_cast<const unsigned char*>(data), static_cast<size_t>(size.QuadPart)));
}

FileView::~FileView()
{
    UnmapViewOfFile(m_data);
}
