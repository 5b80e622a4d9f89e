#include "packagewriter.h"

#include "cencryptedstring.h"
#include "packageconstants.h"
#include "scrambling.h"
#include "textconv.h"

#include <zlib.h>

#include <stdexcept>

namespace {

ByteVector Compress(const ByteVector& plain)
{
    uLongf size = compressBound(static_cast<uLong>(plain.size()));
    ByteVector stream(size);
    if (compress2(stream.data(), &size, plain.data(), static_cast<uLong>(plain.size()), Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("zlib compress failed");
    stream.resize(size);
    return stream;
}

} // namespace

void PackageWriter::Append(const unsigned char* data, size_t length)
{
    m_bytes.insert(m_bytes.end(), data, data + length);
}

void PackageWriter::EndField()
{
    m_fieldEnds.push_back(m_bytes.size());
}

void PackageWriter::AppendInt32(int32_t value)
{
    const uint32_t word = static_cast<uint32_t>(value);
    const unsigned char bytes[4] = {static_cast<unsigned char>(word), static_cast<unsigned char>(word >> 8),
                                    static_cast<unsigned char>(word >> 16), static_cast<unsigned char>(word >> 24)};
    Append(bytes, sizeof bytes);
}

void PackageWriter::WriteInt32(int32_t value)
{
    AppendInt32(value);
    EndField();
}

void PackageWriter::WriteBool(bool flag)
{
    WriteInt32(flag ? 1 : 0);
}

void PackageWriter::WriteString(const std::wstring& text)
{
    const std::string utf8 = WideToUtf8(text);
    WriteRawString(static_cast<int32_t>(utf8.size()), utf8);
}

void PackageWriter::WriteRawString(int32_t count, const std::string& bytes)
{
    ByteVector scrambled(bytes.begin(), bytes.end());
    ScrambleString(scrambled.data(), scrambled.size(), PackageConstants::kString);
    AppendInt32(count);
    Append(scrambled.data(), scrambled.size());
    EndField();
}

void PackageWriter::WriteByteBlock(const ByteVector& plain, unsigned char constant)
{
    ByteVector scrambled = plain;
    ScrambleRun(scrambled.data(), scrambled.size(), constant);
    AppendInt32(static_cast<int32_t>(scrambled.size()));
    Append(scrambled.data(), scrambled.size());
    EndField();
}

void PackageWriter::WriteImageBlock(const ImageContent& image, unsigned char constant)
{
    ByteVector stored = image.stream ? *image.stream : image.image.empty() ? ByteVector() : Compress(image.image);
    ScrambleRun(stored.data(), stored.size(), constant);
    AppendInt32(image.storedLength.value_or(static_cast<int32_t>(stored.size())));
    AppendInt32(image.expandedLength.value_or(static_cast<int32_t>(image.image.size())));
    Append(stored.data(), stored.size());
    EndField();
}

void PackageWriter::WriteRawBlock(const RawBlockContent& block)
{
    AppendInt32(static_cast<int32_t>(block.bytes.size()));
    AppendInt32(block.secondNumber);
    WriteBytes(block.bytes);
}

void PackageWriter::WriteFile(const FileContent& file)
{
    WriteInt32(file.fileVersion);
    WriteByteBlock(file.bytes, PackageConstants::kEmbeddedFile);
}

void PackageWriter::WriteValue(const ValueContent& value)
{
    WriteInt32(value.storageKind);
    if (value.storageKind != 1) {
        WriteString(value.text);
        return;
    }
    ByteVector stored;
    if (value.storedBytes) {
        stored = *value.storedBytes;
    } else {
        CEncryptedString enciphered;
        enciphered.SetText(value.text);
        if (enciphered.Length() > 0)
            stored.assign(enciphered.Bytes(), enciphered.Bytes() + enciphered.Length());
    }
    AppendInt32(static_cast<int32_t>(stored.size()));
    WriteBytes(stored);
}

void PackageWriter::WriteBytes(const ByteVector& bytes)
{
    Append(bytes.data(), bytes.size());
    EndField();
}

void PackageWriter::WriteNamedValues(const std::vector<NamedValue>& values)
{
    WriteInt32(static_cast<int32_t>(values.size()));
    for (const NamedValue& value : values) {
        WriteString(value.first);
        WriteValue(value.second);
    }
}

void PackageWriter::WritePackage(const PackageContent& package)
{
    const int32_t version = package.version;
    const PackageSettings& s = package.settings;
    WriteInt32(version);
    WriteInt32(s.mode);
    WriteString(s.reservedText1);
    WriteString(s.reservedText2);
    WriteBool(s.trayIcon);
    WriteBool(s.showInTaskbar);
    WriteBool(s.splash);
    WriteString(s.reservedText3);
    WriteInt32(s.reservedNumber1);
    WriteInt32(s.reservedNumber2);
    WriteInt32(s.splashTime);
    WriteInt32(static_cast<int32_t>(package.forms.size()));
    for (const FormContent& form : package.forms)
        WriteForm(form);
    if (version >= 2) {
        WriteInt32(static_cast<int32_t>(package.embeddedFiles.size()));
        for (const FileContent& file : package.embeddedFiles)
            WriteFile(file);
    }
    if (version >= 3)
        WriteNamedValues(package.secureVariables);
    if (version >= 4) {
        WriteInt32(static_cast<int32_t>(package.libraryFiles.size()));
        for (const NamedFile& file : package.libraryFiles) {
            WriteString(file.first);
            WriteFile(file.second);
        }
    }
    if (version >= 5) {
        WriteInt32(static_cast<int32_t>(package.reservedValues.size()));
        for (const ValueContent& value : package.reservedValues)
            WriteValue(value);
        WriteInt32(s.reservedNumber3);
        WriteInt32(s.reservedNumber4);
        WriteInt32(s.reservedNumber5);
        WriteInt32(s.reservedNumber6);
        WriteBool(s.reservedFlag1);
        WriteString(s.reservedText4);
        WriteBool(s.passwordRequired);
        WriteInt32(s.reservedNumber7);
    }
    if (version >= 6)
        WriteImageBlock(package.splash, PackageConstants::kSplash);
    if (version >= 7)
        WriteString(s.password);
    if (version >= 8)
        WriteImageBlock(package.tray, PackageConstants::kTray);
    if (version >= 9)
        WriteNamedValues(package.globalVariables);
    if (version >= 10) {
        for (const std::wstring& text : s.reservedTexts)
            WriteString(text);
    }
    if (version >= 11)
        WriteBool(s.reservedFlag2);
    if (version >= 12)
        WriteRawBlock(package.reservedBlock1);
    if (version >= 14)
        WriteRawBlock(package.reservedBlock2);
}

void PackageWriter::WriteForm(const FormContent& form)
{
    const int32_t version = form.version;
    const FormSettings& s = form.settings;
    WriteInt32(version);
    WriteString(s.name);
    WriteBool(s.centre);
    WriteInt32(s.x);
    WriteInt32(s.y);
    WriteInt32(s.sizeUnit);
    WriteInt32(s.width);
    WriteInt32(s.height);
    WriteInt32(s.windowType);
    WriteInt32(s.frameKind);
    WriteBool(s.maximizeBox);
    WriteBool(s.minimizeBox);
    WriteBool(s.closeBox);
    WriteInt32(s.initialState);
    WriteBool(s.scale);
    WriteBool(s.keepAspect);
    WriteBool(s.visible);
    WriteBool(s.stayOnTop);
    WriteInt32(s.reservedNumber1);
    WriteInt32(s.reservedNumber2);
    WriteInt32(s.fadeTarget);
    WriteInt32(s.fadeInterval);
    WriteInt32(s.reservedNumber3);
    WriteInt32(s.fadeOutOnClose);
    WriteString(s.reservedText);
    WriteBool(s.escapeCloses);
    WriteBool(s.altF4Allowed);
    const bool enciphered = !form.keyBlock.empty();
    if (enciphered) {
        AppendInt32(static_cast<int32_t>(form.movie.size()));
        WriteBytes(form.movie);
    } else {
        WriteByteBlock(form.movie, PackageConstants::kMovie);
    }
    if (version >= 2)
        WriteImageBlock(form.mask, PackageConstants::kMovie);
    if (version >= 3)
        WriteInt32(s.backgroundColour);
    if (version >= 4)
        WriteBool(s.noCaption);
    if (version >= 5) {
        WriteInt32(s.leftButtonMode);
        WriteInt32(s.middleButtonMode);
        WriteInt32(s.rightButtonMode);
    }
    if (version >= 6)
        WriteString(s.title);
    if (version >= 7)
        WriteInt32(s.positionUnit);
    if (version >= 8) {
        WriteByteBlock(form.secondMovie, PackageConstants::kMovie);
        WriteByteBlock(form.reservedBlock, PackageConstants::kMovie);
    }
    if (version >= 9) {
        WriteBool(s.reservedFlag);
        WriteInt32(s.reservedNumber4);
    }
    if (version >= 10) {
        WriteInt32(s.reservedNumber5);
        WriteInt32(s.reservedNumber6);
    }
    if (version >= 11)
        WriteByteBlock(form.keyBlock, PackageConstants::kKeyBlock);
    if (version >= 12)
        WriteInt32(s.movieVersion);
    if (version >= 14)
        WriteBool(s.direct);
}

ByteVector BuildExecutableImage(const ByteVector& program, const ByteVector& package, bool withMarker)
{
    ByteVector image = program;
    if (withMarker) {
        const auto magic = PackageConstants::PackageMagic();
        image.insert(image.end(), magic.begin(), magic.end());
    }
    image.insert(image.end(), package.begin(), package.end());
    return image;
}
