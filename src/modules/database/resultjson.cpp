#include "resultjson.h"

#include "commandargs.h"

#include <json-c/json.h>

json_object* MakeRows(const TextRows& rows)
{
    json_object* array = json_object_new_array();
    if (!array)
        return nullptr;
    for (const std::vector<std::wstring>& row : rows) {
        std::vector<wxString> texts(row.begin(), row.end());
        json_object_array_add(array, MakeTextArray(texts));
    }
    return array;
}
