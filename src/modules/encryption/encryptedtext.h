#pragma once

#include <string>

// Texts enciphered for movies: the UTF-8 bytes of the text, a zero byte and
// zero bytes up to whole 8-byte blocks (n bytes take 8 * (n / 8) + 8), one
// Blowfish CBC pass from a zero vector with the key's UTF-8 bytes, and the
// result as Base64.
class EncryptedText {
public:
    // False when the text or the key is empty (both count up to their first
    // zero byte) or the key is longer than 56 bytes.
    static bool Encrypt(const std::string& key, const std::string& text, std::string& base64);

    // The text back, up to its first zero byte. False for an empty text or
    // key, a refused key, Base64 that is not whole groups of the alphabet
    // with "=" only at the end, a length that is not whole blocks, and a
    // result that is empty or not UTF-8 (a wrong key gives one of these, or
    // another text).
    static bool Decrypt(const std::string& key, const std::string& base64, std::string& text);

    // Whole groups of four Base64 characters; "=" only as the last one or
    // two characters of the text.
    static bool IsStrictBase64(const std::string& text);
};
