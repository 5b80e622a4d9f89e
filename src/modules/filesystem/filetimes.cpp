#include "filetimes.h"

#include <windows.h>

#include <cwchar>
#include <optional>

namespace {

std::optional<WIN32_FILE_ATTRIBUTE_DATA> ReadFileData(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    return data;
}

// The time in the local time zone, with the daylight rule of its own date.
std::optional<SYSTEMTIME> LocalTime(const FILETIME& time)
{
    SYSTEMTIME universal = {};
    SYSTEMTIME local = {};
    if (!::FileTimeToSystemTime(&time, &universal) || !::SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local))
        return std::nullopt;
    return local;
}

std::wstring Format(const wchar_t* format, int first, int second, int third)
{
    wchar_t text[32] = {};
    std::swprintf(text, sizeof text / sizeof text[0], format, first, second, third);
    return text;
}

} // namespace

std::wstring CreationDateText(const std::wstring& path)
{
    const auto data = ReadFileData(path);
    const auto time = data ? LocalTime(data->ftCreationTime) : std::nullopt;
    return time ? Format(L"%04d-%02d-%02d", time->wYear, time->wMonth, time->wDay) : std::wstring();
}

std::wstring LastChangeTimeText(const std::wstring& path)
{
    const auto data = ReadFileData(path);
    const auto time = data ? LocalTime(data->ftLastWriteTime) : std::nullopt;
    return time ? Format(L"%02d:%02d:%02d", time->wHour, time->wMinute, time->wSecond) : std::wstring();
}
