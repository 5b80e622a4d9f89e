#include "commandarray.h"

#include <json-c/json.h>

CommandArray::CommandArray(const std::string& utf8)
    : m_value(json_tokener_parse(utf8.c_str()))
{
}

CommandArray::~CommandArray()
{
    json_object_put(m_value);
}

bool CommandArray::IsCall() const
{
    return json_object_is_type(m_value, json_type_array) && json_object_array_length(m_value) != 0;
}

std::string CommandArray::CommandName() const
{
    json_object* element = json_object_array_get_idx(m_value, 0);
    const char* text = json_object_is_type(element, json_type_string) ? json_object_get_string(element)
                                                                       : json_object_to_json_string(element);
    return text ? std::string(text) : std::string();
}

std::vector<json_object*> CommandArray::Arguments() const
{
    std::vector<json_object*> arguments;
    const size_t length = json_object_array_length(m_value);
    for (size_t index = 1; index < length; ++index)
        arguments.push_back(json_object_array_get_idx(m_value, index));
    return arguments;
}
