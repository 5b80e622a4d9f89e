#pragma once

#include <cstdint>
#include <memory>
#include <string>

class PackageReader;

// A package value, always held enciphered (see TextCipherContext): UTF-16LE
// text with a zero unit, zero-padded to whole 8-byte blocks.
class CEncryptedString {
public:
    virtual ~CEncryptedString();

    // Storage kind 1: length and enciphered bytes, kept as stored. Any other
    // kind: a string, enciphered as it is read.
    bool Read(PackageReader& reader);

    // Empty when there is no value or its length is not whole blocks.
    std::wstring GetText() const;
    // Enciphers the text as the new value; an empty text changes nothing.
    void SetText(const std::wstring& text);

    const unsigned char* Bytes() const { return m_bytes.get(); }
    int32_t Length() const { return m_length; }

private:
    std::unique_ptr<unsigned char[]> m_bytes;
    int32_t m_length = 0;
};
