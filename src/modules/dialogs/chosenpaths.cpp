#include "chosenpaths.h"

namespace {

// The texts of the answer, up to the first empty one.
std::vector<wxString> SelectionParts(const wchar_t* buffer, size_t length)
{
    std::vector<wxString> parts;
    size_t start = 0;
    while (start < length && buffer[start] != L'\0') {
        size_t end = start;
        while (end < length && buffer[end] != L'\0')
            ++end;
        parts.emplace_back(buffer + start, end - start);
        start = end + 1;
    }
    return parts;
}

} // namespace

wxString WithFinalBackslash(const wxString& path)
{
    if (path.empty() || path.Last() == L'\\')
        return path;
    return path + L"\\";
}

std::vector<wxString> PathsFromOpenSelection(const wchar_t* buffer, size_t length)
{
    std::vector<wxString> parts = SelectionParts(buffer, length);
    if (parts.size() < 2)
        return parts;
    const wxString folder = WithFinalBackslash(parts.front());
    std::vector<wxString> paths;
    for (size_t index = 1; index < parts.size(); ++index)
        paths.push_back(folder + parts[index]);
    return paths;
}
