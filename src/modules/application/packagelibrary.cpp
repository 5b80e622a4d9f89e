#include "packagelibrary.h"

#include "cpackage.h"
#include "cpackagebinary.h"
#include "textdecoding.h"
#include "wholefile.h"

#include <filesystem>
#include <memory>

namespace {

bool IsSeparator(wchar_t character)
{
    return character == L'\\' || character == L'/';
}

bool ReadEntry(const CPackage& package, const std::wstring& entryName, std::unique_ptr<unsigned char[]>& bytes,
               int32_t& length)
{
    const CPackageBinary* entry = package.FindBinary(entryName);
    return entry != nullptr && entry->GetData(length, bytes) && length >= 0;
}

} // namespace

bool PackageLibrary::ExtractToFile(const std::wstring& entryName, const std::wstring& destination) const
{
    std::unique_ptr<unsigned char[]> bytes;
    int32_t length = 0;
    return ReadEntry(m_package, entryName, bytes, length) && WriteWholeFile(destination, bytes.get(), length);
}

bool PackageLibrary::ExtractAllToDir(const std::wstring& folder) const
{
    std::error_code error;
    if (folder.empty() || !std::filesystem::is_directory(std::filesystem::path(folder), error))
        return false;
    const CPackage::BinaryMap& entries = m_package.LibraryFiles();
    if (entries.empty())
        return false;
    for (const auto& entry : entries) {
        if (!ExtractToFile(entry.first, JoinBareName(folder, entry.first)))
            return false;
    }
    return true;
}

std::wstring PackageLibrary::ExtractToText(const std::wstring& entryName) const
{
    std::unique_ptr<unsigned char[]> bytes;
    int32_t length = 0;
    if (!ReadEntry(m_package, entryName, bytes, length))
        return std::wstring();
    return DecodeTextBytes(bytes.get(), static_cast<size_t>(length));
}

std::wstring PackageLibrary::JoinBareName(const std::wstring& folder, const std::wstring& name)
{
    size_t start = name.size();
    while (start > 0 && !IsSeparator(name[start - 1]) && name[start - 1] != L':')
        --start;
    std::wstring joined = folder;
    if (!joined.empty() && !IsSeparator(joined.back()))
        joined += L'\\';
    return joined + name.substr(start);
}
