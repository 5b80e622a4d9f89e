#include "filesearch.h"

#include <windows.h>

namespace {

class FindHandle {
public:
    FindHandle(const std::wstring& query, WIN32_FIND_DATAW& data)
        : m_handle(FindFirstFileW(query.c_str(), &data)) {}
    ~FindHandle() { if (IsOpen()) FindClose(m_handle); }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;

    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAW& data) { return FindNextFileW(m_handle, &data) != 0; }

private:
    HANDLE m_handle;
};

bool IsFolder(const WIN32_FIND_DATAW& data) { return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

bool IsDotEntry(const WIN32_FIND_DATAW& data)
{
    return wcscmp(data.cFileName, L".") == 0 || wcscmp(data.cFileName, L"..") == 0;
}

// Appends the files of folder that match pattern; false when the search
// could not start.
bool AppendMatches(const std::wstring& folder, const std::wstring& pattern, std::vector<std::wstring>& list)
{
    WIN32_FIND_DATAW data;
    FindHandle find(folder + L"\\" + pattern, data);
    if (!find.IsOpen())
        return false;
    do {
        if (!IsFolder(data))
            list.push_back(folder + L"\\" + data.cFileName);
    } while (find.Next(data));
    return true;
}

} // namespace

void ListFilesRecursive(const std::wstring& folder, const std::wstring& pattern, std::vector<std::wstring>& list)
{
    WIN32_FIND_DATAW data;
    FindHandle find(folder + L"\\*.*", data);
    if (!find.IsOpen())
        return;
    bool patternSearched = false;
    do {
        if (IsFolder(data)) {
            if (!IsDotEntry(data))
                ListFilesRecursive(folder + L"\\" + data.cFileName, pattern, list);
        } else if (!patternSearched) {
            patternSearched = AppendMatches(folder, pattern, list);
        }
    } while (find.Next(data));
}
