#include "replytexts.h"

#include <json-c/json.h>

std::string StringReply(const std::string& reply)
{
    json_object* value = json_tokener_parse(reply.c_str());
    const std::string text =
        json_object_is_type(value, json_type_string) ? json_object_get_string(value) : "<not a string>";
    json_object_put(value);
    return text;
}

std::vector<std::string> ListReply(const std::string& reply)
{
    json_object* value = json_tokener_parse(reply.c_str());
    if (!json_object_is_type(value, json_type_array)) {
        json_object_put(value);
        return {"<not a list>"};
    }
    std::vector<std::string> texts;
    for (size_t index = 0; index < json_object_array_length(value); ++index)
        texts.push_back(json_object_get_string(json_object_array_get_idx(value, index)));
    json_object_put(value);
    return texts;
}
