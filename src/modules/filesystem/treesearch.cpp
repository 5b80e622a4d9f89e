#include "treesearch.h"

#include "directoryentries.h"
#include "folderlisting.h"
#include "folderoperations.h"

namespace {

// Appends the hits below the folder, each as prefix + its path below it.
void CollectMatches(const std::wstring& folder, const std::wstring& prefix, const std::wstring& pattern,
                    std::vector<std::wstring>& hits)
{
    for (DirectoryEntries entries(JoinFolderAndName(folder, L"*")); entries.HasEntry(); entries.Advance()) {
        if (entries.IsFolder() && !entries.IsLink())
            CollectMatches(JoinFolderAndName(folder, entries.Name()), prefix + entries.Name() + L'\\', pattern, hits);
    }
    for (DirectoryEntries entries(JoinFolderAndName(folder, pattern)); entries.HasEntry(); entries.Advance()) {
        if (!entries.IsFolder())
            hits.push_back(prefix + entries.Name());
    }
}

// The sum of the tree's file sizes; false when the folder cannot be walked.
bool AddTreeSize(const std::wstring& folder, uint64_t& total)
{
    DirectoryEntries entries(JoinFolderAndName(folder, L"*"));
    if (!entries.Opened())
        return false;
    for (; entries.HasEntry(); entries.Advance()) {
        if (!entries.IsFolder())
            total += entries.Size();
        else if (!entries.IsLink())
            AddTreeSize(JoinFolderAndName(folder, entries.Name()), total);
    }
    return true;
}

} // namespace

std::vector<std::wstring> FindFilesBelow(const std::wstring& searchPath)
{
    const size_t separator = searchPath.find_last_of(L"\\/");
    std::vector<std::wstring> hits;
    if (separator == std::wstring::npos)
        return hits;
    // "\*.txt" searches the root of the working folder's volume.
    const std::wstring folder = separator == 0 ? searchPath.substr(0, 1) : searchPath.substr(0, separator);
    const std::wstring pattern = searchPath.substr(separator + 1);
    // A search path ending with a separator takes every file.
    CollectMatches(folder, std::wstring(), pattern.empty() ? L"*" : pattern, hits);
    return hits;
}

std::wstring JoinFoundPaths(const std::vector<std::wstring>& paths)
{
    std::wstring joined;
    for (size_t index = 0; index < paths.size(); ++index)
        joined += index == 0 ? paths[index] : L';' + paths[index];
    return joined;
}

uint64_t FolderTreeSize(const std::wstring& folder)
{
    uint64_t total = 0;
    if (!IsExistingFolder(folder) || !AddTreeSize(folder, total))
        return kUnknownFolderSize;
    return total;
}
