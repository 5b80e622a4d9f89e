#pragma once

#include <string>
#include <vector>

// Reading a command's JSON answer in tests.

// The text of a JSON string reply (UTF-8); "<not a string>" otherwise.
std::string StringReply(const std::string& reply);
// The texts of a JSON array reply of strings; one "<not a list>" otherwise.
std::vector<std::string> ListReply(const std::string& reply);
