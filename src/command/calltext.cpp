#include "calltext.h"

#include "base64.h"
#include "textconv.h"

#include <algorithm>
#include <climits>
#include <cwctype>

namespace {

constexpr std::string_view kCallOpening = "TevOnCommand(";
// Closing quotation mark of the payload, the two closing parentheses, a blank and a semicolon.
constexpr std::string_view kCallClosing = "\")) ;";
const size_t kFieldCount = 4;

bool IsAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The argument list with every character beyond ASCII as one byte that reads
// the same way: white space as a blank (an id may start with it), anything
// else as "?". In the payload both count as the digit 0, as any character
// outside the alphabet does. The list is read as wide text, so a character
// that takes two wide units counts twice there, as it always has.
std::string NarrowArguments(std::string_view arguments)
{
    const std::wstring wide = Utf8ToWide(std::string(arguments));
    std::string narrow;
    narrow.reserve(wide.size());
    for (wchar_t c : wide)
        narrow.push_back(c < 0x80 ? static_cast<char>(c) : std::iswspace(static_cast<wint_t>(c)) ? ' ' : '?');
    return narrow;
}

// Splits at every comma; false unless there are exactly four fields (a
// payload holds no comma, so anything else is not a call).
bool SplitFields(std::string_view arguments, std::string_view (&fields)[kFieldCount])
{
    size_t count = 0;
    for (size_t start = 0;; ++count) {
        const size_t comma = arguments.find(',', start);
        if (count == kFieldCount)
            return false;
        fields[count] = arguments.substr(start, comma == std::string_view::npos ? comma : comma - start);
        if (comma == std::string_view::npos)
            return count + 1 == kFieldCount;
        start = comma + 1;
    }
}

int32_t ReadLeadingInt32(std::string_view field)
{
    size_t at = 0;
    while (at < field.size() && std::iswspace(static_cast<wint_t>(field[at])))
        ++at;
    bool negative = false;
    if (at < field.size() && (field[at] == '-' || field[at] == '+'))
        negative = field[at++] == '-';
    long long value = 0;
    for (; at < field.size() && field[at] >= '0' && field[at] <= '9'; ++at) {
        value = value * 10 + (field[at] - '0');
        if (value > static_cast<long long>(INT32_MAX) + 1)
            value = static_cast<long long>(INT32_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX)
        value = INT32_MAX;
    return static_cast<int32_t>(value);
}

std::string DecodePayload(std::string_view base64)
{
    std::string bytes(Base64DecodedBound(base64.size()), '\0');
    bytes.resize(Base64DecodeTo(base64.data(), base64.size(), reinterpret_cast<unsigned char*>(&bytes[0])));
    return WellFormedUtf8(std::move(bytes));
}

} // namespace

bool ParseCallText(std::string_view script, CallText& call)
{
    script = script.substr(0, script.find('\0'));
    const size_t opening = script.find(kCallOpening);
    if (opening == std::string_view::npos)
        return false;
    const size_t start = opening + kCallOpening.size();
    const size_t end = script.find(kCallClosing, start);
    if (end == std::string_view::npos)
        return false;
    // The plug-in writes ASCII only; anything else is narrowed first.
    std::string narrowed;
    std::string_view arguments = script.substr(start, end - start);
    if (!IsAscii(arguments)) {
        narrowed = NarrowArguments(arguments);
        arguments = narrowed;
    }
    std::string_view fields[kFieldCount];
    if (!SplitFields(arguments, fields) || fields[3].size() < 2)
        return false;

    CallText parsed;
    parsed.isAsync = fields[0] == "true";
    parsed.formId = ReadLeadingInt32(fields[1]);
    parsed.callerId = ReadLeadingInt32(fields[2]);
    // The first character is the payload's opening quotation mark.
    parsed.commandText = DecodePayload(fields[3].substr(1));
    call = std::move(parsed);
    return true;
}

bool IsInitRequest(const std::string& commandText)
{
    return commandText.find("nxa.init") != std::string::npos;
}

bool MustRunOnMainThread(const std::wstring& commandText)
{
    for (const wchar_t* name : {L"nxa.Dialogs", L"nxa.Application.say", L"nxa.FileSystem.deleteFolder"}) {
        if (commandText.find(name) != std::wstring::npos)
            return true;
    }
    return false;
}
