#include "binresource.h"

#include <windows.h>

bool LoadBinResource(std::uint16_t resourceId, const std::uint8_t*& bytes, std::uint32_t& size)
{
    bytes = nullptr;
    size = 0;
    HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(resourceId), L"BIN");
    if (!resource)
        return false;
    HGLOBAL loaded = LoadResource(nullptr, resource);
    if (!loaded)
        return false;
    const void* data = LockResource(loaded);
    if (!data)
        return false;
    const DWORD length = SizeofResource(nullptr, resource);
    if (length == 0)
        return false;
    bytes = static_cast<const std::uint8_t*>(data);
    size = length;
    return true;
}
