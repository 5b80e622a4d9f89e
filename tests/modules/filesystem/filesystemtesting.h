#pragma once

#include "replytexts.h"

#include <cstdint>
#include <string>
#include <vector>

class EventCapture;

// Helpers of the FileSystem module's tests.

// The text as a JSON string argument (UTF-8).
std::string JsonText(const std::wstring& text);

// A file made of the bytes; whether a path names nothing.
bool WriteBytes(const std::wstring& path, const std::string& bytes);
bool FileIsMissing(const std::wstring& path);

// The id, as argument text, of a new object made by the command centre's
// "create" row of that name, called from the form and caller.
std::string CreateObject(const std::string& createRow, int32_t formId = 0, int32_t callerId = 0);

// The captured events as "form caller name payload", in the order posted.
std::vector<std::string> EventTexts(const EventCapture& capture);

