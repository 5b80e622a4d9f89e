#include "calltext.h"

#include "base64.h"
#include "splitstring.h"
#include "textconv.h"

#include <climits>
#include <cwctype>
#include <vector>

namespace {

const wchar_t kCallOpening[] = L"TevOnCommand(";
// Closing quotation mark of the payload, the two closing parentheses, a blank and a semicolon.
const wchar_t kCallClosing[] = L"\")) ;";

int32_t ReadLeadingInt32(const std::wstring& field)
{
    size_t at = 0;
    while (at < field.size() && std::iswspace(field[at]))
        ++at;
    bool negative = false;
    if (at < field.size() && (field[at] == L'-' || field[at] == L'+'))
        negative = field[at++] == L'-';
    long long value = 0;
    for (; at < field.size() && field[at] >= L'0' && field[at] <= L'9'; ++at) {
        value = value * 10 + (field[at] - L'0');
        if (value > static_cast<long long>(INT32_MAX) + 1)
            value = static_cast<long long>(INT32_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX)
        value = INT32_MAX;
    return static_cast<int32_t>(value);
}

// Base64 is ASCII: a wide character beyond it is as foreign as any other
// character outside the alphabet.
std::string NarrowBase64(const std::wstring& text)
{
    std::string narrow;
    narrow.reserve(text.size());
    for (wchar_t c : text)
        narrow.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return narrow;
}

} // namespace

bool ParseCallText(const std::wstring& script, CallText& call)
{
    const size_t opening = script.find(kCallOpening);
    if (opening == std::wstring::npos)
        return false;
    const size_t start = opening + (sizeof(kCallOpening) / sizeof(wchar_t) - 1);
    const size_t end = script.find(kCallClosing, start);
    if (end == std::wstring::npos)
        return false;
    std::vector<std::wstring> fields;
    SplitString(script.substr(start, end - start), L",", fields);
    // A payload holds no comma, so anything but four fields is not a call.
    if (fields.size() != 4 || fields[3].size() < 2)
        return false;

    CallText parsed;
    parsed.isAsync = fields[0] == L"true";
    parsed.formId = ReadLeadingInt32(fields[1]);
    parsed.callerId = ReadLeadingInt32(fields[2]);
    // The first character is the payload's opening quotation mark.
    const std::vector<unsigned char> utf8 = Base64Decode(NarrowBase64(fields[3].substr(1)));
    Utf8ToWide(std::string(utf8.begin(), utf8.end()), parsed.commandText);
    call = parsed;
    return true;
}

bool IsInitRequest(const std::wstring& commandText)
{
    return commandText.find(L"nxa.init") != std::wstring::npos;
}

bool MustRunOnMainThread(const std::wstring& commandText)
{
    for (const wchar_t* name : {L"nxa.Dialogs", L"nxa.Application.say", L"nxa.FileSystem.deleteFolder"}) {
        if (commandText.find(name) != std::wstring::npos)
            return true;
    }
    return false;
}
