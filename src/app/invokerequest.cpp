#include "invokerequest.h"

#include <cwctype>

namespace {

bool IsWhiteSpaceOnly(const std::wstring& text)
{
    for (wchar_t c : text) {
        if (!std::iswspace(c))
            return false;
    }
    return true;
}

} // namespace

std::wstring EscapeXmlText(const std::wstring& text)
{
    std::wstring escaped;
    escaped.reserve(text.size());
    for (wchar_t c : text) {
        switch (c) {
        case L'&': escaped += L"&amp;"; break;
        case L'<': escaped += L"&lt;"; break;
        case L'>': escaped += L"&gt;"; break;
        case L'"': escaped += L"&quot;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

std::wstring BuildInvokeRequest(const std::wstring& functionName, const std::vector<std::wstring>& arguments)
{
    std::wstring request = L"<invoke name=\"" + EscapeXmlText(functionName) + L"\" returntype=\"xml\"><arguments>";
    for (const std::wstring& argument : arguments)
        request += L"<string>" + EscapeXmlText(argument) + L"</string>";
    return request + L"</arguments></invoke>";
}

std::vector<std::wstring> SplitMovieArguments(const std::wstring& text, const std::wstring& separator)
{
    std::vector<std::wstring> pieces;
    if (text.empty())
        return pieces;
    if (separator.empty())
        return {text};
    const bool mergeRuns = IsWhiteSpaceOnly(separator);
    size_t start = 0;
    while (true) {
        const size_t end = text.find_first_of(separator, start);
        const std::wstring piece = text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        if (end == std::wstring::npos) {
            if (!piece.empty())
                pieces.push_back(piece); // a trailing separator ends the list
            break;
        }
        if (!piece.empty() || !mergeRuns)
            pieces.push_back(piece);
        start = end + 1;
    }
    return pieces;
}
