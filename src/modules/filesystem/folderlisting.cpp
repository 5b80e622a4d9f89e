#include "folderlisting.h"

#include "directoryentries.h"

std::wstring JoinFolderAndName(const std::wstring& folder, const std::wstring& name)
{
    if (folder.empty())
        return name;
    const wchar_t last = folder.back();
    return last == L'\\' || last == L'/' ? folder + name : folder + L'\\' + name;
}

std::vector<std::wstring> ListFileNames(const std::wstring& folder, const std::wstring& pattern)
{
    std::vector<std::wstring> names;
    for (DirectoryEntries entries(JoinFolderAndName(folder, pattern)); entries.HasEntry(); entries.Advance()) {
        if (!entries.IsFolder() && !entries.IsHiddenOrSystem())
            names.push_back(entries.Name());
    }
    return names;
}

std::vector<std::wstring> ListFolderNames(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    if (folder.empty())
        return names;
    for (DirectoryEntries entries(JoinFolderAndName(folder, L"*")); entries.HasEntry(); entries.Advance()) {
        if (entries.IsFolder())
            names.push_back(entries.Name());
    }
    return names;
}
