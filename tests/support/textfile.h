#pragma once

#include <string>
#include <vector>

// The bytes of a file; empty when it cannot be read.
std::string ReadFileText(const std::wstring& path);

// The lines of a text, without their line ends ("\n" or "\r\n").
std::vector<std::string> SplitLines(const std::string& text);
