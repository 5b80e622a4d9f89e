#pragma once

#include <wx/string.h>

#include <cstdint>
#include <string>
#include <vector>

struct json_object;

// Reading the arguments of a command and making its result.
//
// A handler checks its argument count exactly before it reads anything and
// answers its default result (-1 for "create" and integer getters, 0 for
// actions and setters, false for flags, "" for texts, an empty array for lists)
// on a wrong count or an id that is not in its map:
//
//   json_object* __cdecl getWidth(CallInfo*, int32_t argc, json_object** argv)
//   {
//       if (argc != 1)
//           return MakeInt(-1);
//       const auto image = g_images.Find(ReadInt(argv[0]));
//       return MakeInt(image ? image->Width() : -1);
//   }
//
// A JSON null argument arrives as a null pointer; every reader accepts it.

// json-c's integer conversion: an integer or boolean gives its value, a double
// is truncated toward zero, a string gives the decimal integer at its start
// (after white space) or 0, anything else 0. Values beyond 32 bits saturate at
// INT32_MIN / INT32_MAX; NaN gives 0.
int32_t ReadInt(json_object* value);

// json-c's boolean conversion: booleans as they are, numbers when not zero,
// strings when not empty, anything else false.
bool ReadFlag(json_object* value);

// json-c's double conversion (a string gives its number when the whole string
// is one, else 0).
double ReadDouble(json_object* value);

// A JSON string gives its text, any other value its JSON text (the number 12
// gives "12"), JSON null the empty text. ReadText converts from UTF-8 (bad
// sequences become U+FFFD).
std::string ReadUtf8(json_object* value);
wxString ReadText(json_object* value);

// New results; the caller (the invoker) takes them over.
json_object* MakeInt(int32_t value);
json_object* MakeFlag(bool value);
json_object* MakeDouble(double value);
json_object* MakeText(const wxString& text); // as UTF-8
json_object* MakeUtf8(const std::string& utf8);
json_object* MakeTextArray(const std::vector<wxString>& texts);
// {key: member}; takes member over (and frees it when no object can be made).
json_object* ObjectWith(const char* key, json_object* member);

// json-c's serialisation of a value ("{ }" for an empty object, "/" written as
// "\/"); "null" for a null pointer, the empty text when serialisation fails.
std::string ToJsonText(json_object* value);
