#pragma once

#include "resulttable.h"

struct json_object;

// The rows as the getData commands answer them: a JSON array with one array
// of strings per row.
json_object* MakeRows(const TextRows& rows);
