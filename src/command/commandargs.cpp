#include "commandargs.h"

#include "textconv.h"

#include <json-c/json.h>

#include <cmath>

int32_t ReadInt(json_object* value)
{
    // json-c casts a NaN double to an integer, which C++ leaves undefined.
    if (json_object_is_type(value, json_type_double) && std::isnan(json_object_get_double(value)))
        return 0;
    return json_object_get_int(value);
}

bool ReadFlag(json_object* value)
{
    return json_object_get_boolean(value) != 0;
}

double ReadDouble(json_object* value)
{
    return json_object_get_double(value);
}

std::string ReadUtf8(json_object* value)
{
    const char* text = json_object_get_string(value);
    return value && text ? std::string(text) : std::string();
}

wxString ReadText(json_object* value)
{
    return wxString(Utf8ToWide(ReadUtf8(value)));
}

json_object* MakeInt(int32_t value)
{
    return json_object_new_int(value);
}

json_object* MakeFlag(bool value)
{
    return json_object_new_boolean(value ? 1 : 0);
}

json_object* MakeDouble(double value)
{
    return json_object_new_double(value);
}

json_object* MakeText(const wxString& text)
{
    return MakeUtf8(WideToUtf8(text.ToStdWstring()));
}

json_object* MakeUtf8(const std::string& utf8)
{
    return json_object_new_string_len(utf8.data(), static_cast<int>(utf8.size()));
}

json_object* MakeTextArray(const std::vector<wxString>& texts)
{
    json_object* array = json_object_new_array();
    if (!array)
        return nullptr;
    for (const wxString& text : texts)
        json_object_array_add(array, MakeText(text));
    return array;
}

json_object* ObjectWith(const char* key, json_object* member)
{
    json_object* object = json_object_new_object();
    if (object)
        json_object_object_add(object, key, member);
    else
        json_object_put(member);
    return object;
}

std::string ToJsonText(json_object* value)
{
    const char* text = json_object_to_json_string(value);
    return text ? std::string(text) : std::string();
}
