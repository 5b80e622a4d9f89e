#pragma once

#include <cstddef>
#include <string>

// SHA-384 digest written as 96 lowercase hexadecimal digits.
std::string Sha384Hex(const unsigned char* data, size_t length);
