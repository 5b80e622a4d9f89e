#pragma once

#include <string>

// Text on the system clipboard, without an owner window. Both answer whether
// the clipboard could be opened: while another thread or program holds it
// open, nothing changes.

// Empties the clipboard.
bool ClearClipboard();

// Empties the clipboard and puts the text on it as Unicode text (up to its
// first NUL). The clipboard stays empty when no memory could be had.
bool PutTextOnClipboard(const std::wstring& text);
