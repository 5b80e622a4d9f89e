#include "splitstring.h"

bool SplitString(const std::wstring& text, const std::wstring& separator, std::vector<std::wstring>& list)
{
    if (separator.empty()) {
        list.push_back(text);
        return list.size() > 1;
    }
    size_t start = 0;
    for (;;) {
        const size_t found = text.find(separator, start);
        list.push_back(text.substr(start, found == std::wstring::npos ? std::wstring::npos : found - start));
        if (found == std::wstring::npos)
            break;
        start = found + separator.size();
    }
    return list.size() > 1;
}

bool SplitByPipe(const std::wstring& text, std::vector<std::wstring>& list)
{
    return SplitString(text, L"|", list);
}
