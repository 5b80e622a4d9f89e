#pragma once

#include "npdefs.h"

#include <string>

namespace player {

// The browser's function table as NP_Initialize received it. Entries the
// browser left out (or did not reach, by its size field) are null.
const NPNetscapeFuncs& Browser();
bool SetBrowser(const NPNetscapeFuncs* funcs);
void ClearBrowser();

// A string result in memory from NPN_MemAlloc, which the browser frees with
// NPN_ReleaseVariantValue. False when the browser gave no memory.
bool SetStringResult(NPVariant* result, const std::string& text);

// The text of a string variant, the decimal text of a number variant, "true"
// or "false" for a boolean, "" otherwise.
std::string VariantText(const NPVariant& variant);

// The integer of an int32 or double variant; false for other types.
bool VariantInteger(const NPVariant& variant, int& value);

} // namespace player
