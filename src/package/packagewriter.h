#pragma once

#include "packagecontent.h"

#include <cstdint>
#include <string>
#include <vector>

// Builds package bytes field by field, scrambling and enciphering with the
// same constants and pass phrase as the reader. Besides sound records it can
// write damaged ones (lying counts, raw streams) for tests.
class PackageWriter {
public:
    void WriteInt32(int32_t value);
    void WriteBool(bool flag);
    // UTF-8 with its count; an empty text is a count of 0.
    void WriteString(const std::wstring& text);
    // A count as given, then the bytes scrambled as a string of their length.
    void WriteRawString(int32_t count, const std::string& bytes);
    void WriteByteBlock(const ByteVector& plain, unsigned char constant);
    void WriteImageBlock(const ImageContent& image, unsigned char constant);
    void WriteRawBlock(const RawBlockContent& block);
    void WriteFile(const FileContent& file);
    void WriteValue(const ValueContent& value);
    void WriteBytes(const ByteVector& bytes);

    void WritePackage(const PackageContent& package);
    void WriteForm(const FormContent& form);

    const ByteVector& Bytes() const { return m_bytes; }
    // The offset after each field written so far, in order.
    const std::vector<size_t>& FieldEnds() const { return m_fieldEnds; }

private:
    void Append(const unsigned char* data, size_t length);
    void AppendInt32(int32_t value);
    void EndField();
    void WriteNamedValues(const std::vector<NamedValue>& values);

    ByteVector m_bytes;
    std::vector<size_t> m_fieldEnds;
};

// The program bytes, the package marker (unless left out) and the package:
// what the runtime finds in its own executable.
ByteVector BuildExecutableImage(const ByteVector& program, const ByteVector& package, bool withMarker = true);
