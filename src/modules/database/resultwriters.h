#pragma once

#include "resulttable.h"

// The texts the reading commands make of a held result. Names and values are
// written as they are: nothing is escaped, as the movies that read these
// texts expect.

// What a field without text becomes in a row of texts.
enum class NullField {
    EmptyText, // "" in its place
    LeftOut,   // no entry, so the row is shorter
};

// The rows as lists of texts, in the result's order.
TextRows WriteRows(const ResultTable& table, NullField nullField);

// The two XML shapes: the ADO one has an empty line before each closing
// "</grvdata>" and between rows, and answers "</dataroot>" for no rows; the
// SQLite one has no empty lines and answers "" for no rows. A field without
// text is left out (ADO) or written empty (SQLite).
enum class XmlVariant { Ado, SQLite };
std::wstring WriteXml(const ResultTable& table, XmlVariant variant);

// The HTML table: "<table>", one "<tr>" per row, one "<td>" per field
// ("<td></td>" for a field without text); "</table>" alone for no rows.
std::wstring WriteHtml(const ResultTable& table);
