#pragma once

#include <optional>
#include <string>
#include <vector>

// The result of one query as a back end holds it for the reading commands:
// the column names and every row's values in column order. A field without
// text (SQL NULL) has no value; how it shows depends on the back end.
using ResultValue = std::optional<std::wstring>;
using ResultRow = std::vector<ResultValue>;

struct ResultTable {
    std::vector<std::wstring> columnNames;
    std::vector<ResultRow> rows;
};

// Rows as the getData commands answer them: one list of texts per row.
using TextRows = std::vector<std::vector<std::wstring>>;
