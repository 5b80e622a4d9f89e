#include "cencryptedstring.h"
#include "cpackage.h"
#include "cpackagebinary.h"
#include "cpackageform.h"
#include "packageconstants.h"
#include "packagereader.h"
#include "packagetestsupport.h"
#include "packagewriter.h"
#include "wholefile.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <climits>
#include <cstring>
#include <functional>
#include <optional>

namespace {

// Reads the bytes followed by `trailing` spare bytes and returns how many of
// them the reader left: the record's exact length shows which fields each
// version reads.
int64_t BytesLeftAfterRead(const ByteVector& record, bool isForm, size_t trailing = 5)
{
    ByteVector bytes = record;
    bytes.resize(bytes.size() + trailing, 0xEE);
    std::FILE* file = OpenFileWide(WriteScratchFile(bytes), L"rb");
    PackageReader reader(file, true);
    bool read;
    if (isForm) {
        CPackageForm form;
        read = form.Read(reader);
    } else {
        CPackage package;
        read = package.Read(reader);
    }
    EXPECT_TRUE(read);
    return reader.Remaining();
}

TEST(PackageRecord, EachVersionReadsExactlyItsFields)
{
    // Sizes of an empty package record and form record by version, counted
    // from the layout tables (the form's title, from version 6, is "form").
    const struct {
        int32_t version;
        size_t packageSize;
        size_t formSize;
    } cases[] = {{1, 48, 112},   {2, 52, 120},   {3, 56, 124},   {4, 60, 128},   {5, 96, 140},
                 {6, 104, 148},  {7, 108, 152},  {8, 116, 160},  {9, 120, 168},  {10, 148, 176},
                 {11, 152, 180}, {12, 160, 184}, {13, 160, 184}, {14, 168, 188}, {20, 168, 188}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        PackageContent package;
        package.version = c.version;
        const ByteVector packageBytes = WritePackage(package);
        EXPECT_EQ(c.packageSize, packageBytes.size());
        EXPECT_EQ(5, BytesLeftAfterRead(packageBytes, false));

        FormContent form;
        form.version = c.version;
        PackageWriter formWriter;
        formWriter.WriteForm(form);
        EXPECT_EQ(c.formSize, formWriter.Bytes().size());
        EXPECT_EQ(5, BytesLeftAfterRead(formWriter.Bytes(), true));
    }
}

void ExpectFormMatches(const CPackageForm& form, const FormContent& content, int32_t version)
{
    const FormSettings& read = form.Settings();
    const FormSettings& want = content.settings;
    const FormSettings initial;
    EXPECT_EQ(want.name, read.name);
    EXPECT_EQ(want.centre, read.centre);
    EXPECT_EQ(want.x, read.x);
    EXPECT_EQ(want.y, read.y);
    EXPECT_EQ(want.sizeUnit, read.sizeUnit);
    EXPECT_EQ(want.width, read.width);
    EXPECT_EQ(want.height, read.height);
    EXPECT_EQ(want.windowType, read.windowType);
    EXPECT_EQ(want.frameKind, read.frameKind);
    EXPECT_EQ(want.maximizeBox, read.maximizeBox);
    EXPECT_EQ(want.minimizeBox, read.minimizeBox);
    EXPECT_EQ(want.closeBox, read.closeBox);
    EXPECT_EQ(want.initialState, read.initialState);
    EXPECT_EQ(want.scale, read.scale);
    EXPECT_EQ(want.keepAspect, read.keepAspect);
    EXPECT_EQ(want.visible, read.visible);
    EXPECT_EQ(want.stayOnTop, read.stayOnTop);
    EXPECT_EQ(want.reservedNumber1, read.reservedNumber1);
    EXPECT_EQ(want.reservedNumber2, read.reservedNumber2);
    EXPECT_EQ(want.fadeTarget, read.fadeTarget);
    EXPECT_EQ(want.fadeInterval, read.fadeInterval);
    EXPECT_EQ(want.reservedNumber3, read.reservedNumber3);
    EXPECT_EQ(want.fadeOutOnClose, read.fadeOutOnClose);
    EXPECT_EQ(want.reservedText, read.reservedText);
    EXPECT_EQ(want.escapeCloses, read.escapeCloses);
    EXPECT_EQ(want.altF4Allowed, read.altF4Allowed);
    const auto gated = [&](int32_t from, auto wanted, auto initialValue) { return version >= from ? wanted : initialValue; };
    EXPECT_EQ(gated(2, true, false), form.MaskBlock().Present());
    EXPECT_EQ(gated(3, want.backgroundColour, initial.backgroundColour), read.backgroundColour);
    EXPECT_EQ(gated(4, want.noCaption, true), read.noCaption);
    EXPECT_EQ(gated(5, want.leftButtonMode, 0), read.leftButtonMode);
    EXPECT_EQ(gated(5, want.middleButtonMode, 0), read.middleButtonMode);
    EXPECT_EQ(gated(5, want.rightButtonMode, 0), read.rightButtonMode);
    EXPECT_EQ(gated(6, want.title, std::wstring(L"form")), read.title);
    EXPECT_EQ(gated(7, want.positionUnit, 0), read.positionUnit);
    EXPECT_EQ(gated(8, static_cast<int32_t>(content.reservedBlock.size()), 0), form.ReservedBlock().Length());
    EXPECT_EQ(gated(9, want.reservedFlag, false), read.reservedFlag);
    EXPECT_EQ(gated(9, want.reservedNumber4, 0), read.reservedNumber4);
    EXPECT_EQ(gated(10, want.reservedNumber5, 0), read.reservedNumber5);
    EXPECT_EQ(gated(10, want.reservedNumber6, 0), read.reservedNumber6);
    EXPECT_EQ(gated(12, want.movieVersion, 0), read.movieVersion);
    EXPECT_EQ(gated(14, want.direct, false), read.direct);

    int32_t length = 0;
    std::unique_ptr<unsigned char[]> bytes;
    ASSERT_TRUE(form.GetMovie(length, bytes));
    EXPECT_EQ(content.movie, ByteVector(bytes.get(), bytes.get() + length));
    EXPECT_EQ(version >= 8, form.GetUnencryptedMovie(length, bytes));
}

void ExpectPackageMatches(const CPackage& package, const PackageContent& content, int32_t version)
{
    const PackageSettings& read = package.Settings();
    const PackageSettings& want = content.settings;
    EXPECT_EQ(want.mode, read.mode);
    EXPECT_EQ(want.reservedText1, read.reservedText1);
    EXPECT_EQ(want.reservedText2, read.reservedText2);
    EXPECT_EQ(want.trayIcon, read.trayIcon);
    EXPECT_EQ(want.showInTaskbar, read.showInTaskbar);
    EXPECT_EQ(want.splash, read.splash);
    EXPECT_EQ(want.reservedText3, read.reservedText3);
    EXPECT_EQ(want.reservedNumber1, read.reservedNumber1);
    EXPECT_EQ(want.reservedNumber2, read.reservedNumber2);
    EXPECT_EQ(want.splashTime, read.splashTime);
    ASSERT_EQ(content.forms.size(), package.Forms().size());
    for (size_t i = 0; i < content.forms.size(); ++i)
        ExpectFormMatches(*package.Forms()[i], content.forms[i], content.forms[i].version);

    EXPECT_EQ(version >= 2 ? content.embeddedFiles.size() : 0u, package.EmbeddedFiles().size());
    EXPECT_EQ(version >= 3 ? content.secureVariables.size() : 0u, package.SecureVariables().size());
    EXPECT_EQ(version >= 4 ? content.libraryFiles.size() : 0u, package.LibraryFiles().size());
    EXPECT_EQ(version >= 5 ? content.reservedValues.size() : 0u, package.ReservedValues().size());
    const bool v5 = version >= 5;
    EXPECT_EQ(v5 ? want.reservedNumber3 : 0, read.reservedNumber3);
    EXPECT_EQ(v5 ? want.reservedNumber4 : 0, read.reservedNumber4);
    EXPECT_EQ(v5 ? want.reservedNumber5 : 0, read.reservedNumber5);
    EXPECT_EQ(v5 ? want.reservedNumber6 : 0, read.reservedNumber6);
    EXPECT_EQ(v5 && want.reservedFlag1, read.reservedFlag1);
    EXPECT_EQ(v5 ? want.reservedText4 : L"", read.reservedText4);
    EXPECT_EQ(v5 && want.passwordRequired, read.passwordRequired);
    EXPECT_EQ(v5 ? want.reservedNumber7 : 0, read.reservedNumber7);
    EXPECT_EQ(version >= 6, package.SplashBlock().Present());
    EXPECT_EQ(version >= 7 ? want.password : L"", package.GetPassword());
    EXPECT_EQ(version >= 8, package.TrayBlock().Present());
    EXPECT_EQ(version >= 9 ? content.globalVariables.size() : 0u, package.GlobalVariables().size());
    for (size_t i = 0; i < read.reservedTexts.size(); ++i)
        EXPECT_EQ(version >= 10 ? want.reservedTexts[i] : L"", read.reservedTexts[i]);
    EXPECT_EQ(version >= 11 && want.reservedFlag2, read.reservedFlag2);
    EXPECT_EQ(version >= 12 ? content.reservedBlock1.secondNumber : 0, package.ReservedBlock1().ExpandedLength());
    EXPECT_EQ(version >= 12 ? 6 : 0, package.ReservedBlock1().StoredLength());
    EXPECT_EQ(version >= 14 ? content.reservedBlock2.secondNumber : 0, package.ReservedBlock2().ExpandedLength());
}

TEST(PackageRecord, FullContentRoundTripsAtEveryVersion)
{
    for (int32_t version : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 20}) {
        SCOPED_TRACE(version);
        const PackageContent content = FullPackage(version);
        CPackage package;
        ASSERT_TRUE(ReadPackageBytes(WritePackage(content), package));
        ExpectPackageMatches(package, content, version);
    }
    for (int32_t version : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 20}) {
        SCOPED_TRACE(version);
        PackageContent content = FullPackage(14);
        content.forms = {FullForm(version)};
        CPackage package;
        ASSERT_TRUE(ReadPackageBytes(WritePackage(content), package));
        ExpectPackageMatches(package, content, 14);
    }
}

TEST(PackageRecord, VersionThirteenReadsLikeTwelveAndAboveFourteenLikeFourteen)
{
    const auto withoutVersion = [](int32_t version) {
        ByteVector bytes = WritePackage(FullPackage(version));
        bytes.erase(bytes.begin(), bytes.begin() + 4);
        return bytes;
    };
    EXPECT_EQ(withoutVersion(12), withoutVersion(13));
    EXPECT_EQ(withoutVersion(14), withoutVersion(15));
    EXPECT_EQ(withoutVersion(14), withoutVersion(INT32_MAX));
}

TEST(PackageRecord, SecureVariablesByExactNameWithReplacementAndInheritedNames)
{
    PackageContent content;
    content.version = 9;
    ValueContent a, b, c;
    a.text = L"first";
    b.text = L"second";
    c.storageKind = 7;
    c.text = L"third";
    content.secureVariables = {{L"Name", a}, {L"Name", b}, {L"", c}};
    content.globalVariables = {{L"g1", a}, {L"", b}};
    CPackage package;
    ASSERT_TRUE(ReadPackageBytes(WritePackage(content), package));
    // The third pair has no name and takes "Name", replacing the second.
    ASSERT_EQ(1u, package.SecureVariables().size());
    ASSERT_NE(nullptr, package.FindString(L"Name"));
    EXPECT_EQ(L"third", package.FindString(L"Name")->GetText());
    EXPECT_EQ(nullptr, package.FindString(L"name"));
    EXPECT_EQ(nullptr, package.FindString(L""));
    ASSERT_EQ(1u, package.GlobalVariables().size());
    EXPECT_EQ(L"second", package.GlobalVariables().at(L"g1")->GetText());
}

TEST(PackageRecord, ValueKinds)
{
    const struct {
        const char* label;
        int32_t kind;
        std::wstring text;
        std::optional<ByteVector> stored;
        std::wstring expected;
    } cases[] = {
        {"enciphered", 1, L"hello \u00E9", std::nullopt, L"hello \u00E9"},
        {"text kind", 0, L"as text", std::nullopt, L"as text"},
        {"other kind", -9, L"negative kind", std::nullopt, L"negative kind"},
        {"empty text", 0, L"", std::nullopt, L""},
        {"no enciphered bytes", 1, L"", ByteVector(), L""},
        {"not whole blocks", 1, L"", Pattern(12, 3), L""},
    };
    PackageContent content;
    content.version = 3;
    for (const auto& c : cases) {
        ValueContent value;
        value.storageKind = c.kind;
        value.text = c.text;
        value.storedBytes = c.stored;
        content.secureVariables.push_back({std::wstring(c.label, c.label + std::strlen(c.label)), value});
    }
    CPackage package;
    ASSERT_TRUE(ReadPackageBytes(WritePackage(content), package));
    for (const auto& c : cases) {
        const CEncryptedString* value = package.FindString(std::wstring(c.label, c.label + std::strlen(c.label)));
        ASSERT_NE(nullptr, value) << c.label;
        EXPECT_EQ(c.expected, value->GetText()) << c.label;
    }
}

// A version-1 package with one version-1 form whose name field is written
// by `writeName`.
ByteVector PackageWithFormName(const std::function<void(PackageWriter&)>& writeName)
{
    PackageWriter writer;
    PackageContent content;
    content.version = 1;
    FormContent form;
    form.version = 1;
    content.forms = {form};
    writer.WritePackage(content);
    // Field ends: package fields 1 to 12, then the form version; the name
    // follows.
    const size_t nameStart = writer.FieldEnds()[12];
    ByteVector bytes(writer.Bytes().begin(), writer.Bytes().begin() + static_cast<std::ptrdiff_t>(nameStart));
    PackageWriter name;
    writeName(name);
    bytes.insert(bytes.end(), name.Bytes().begin(), name.Bytes().end());
    bytes.insert(bytes.end(), writer.Bytes().begin() + static_cast<std::ptrdiff_t>(nameStart) + 4,
                 writer.Bytes().end());
    return bytes;
}

TEST(PackageRecord, StringFields)
{
    const std::string longName(1030, 'n');
    const struct {
        const char* label;
        std::function<void(PackageWriter&)> write;
        bool reads;
        std::wstring name;
    } cases[] = {
        {"plain", [](PackageWriter& w) { w.WriteString(L"caf\u00E9"); }, true, L"caf\u00E9"},
        {"whole blocks and tail", [&](PackageWriter& w) { w.WriteRawString(1030, longName); }, true,
         std::wstring(1030, L'n')},
        {"ends at first zero", [](PackageWriter& w) { w.WriteRawString(6, std::string("ab\0cd\0", 6)); }, true, L"ab"},
        {"starts with zero", [](PackageWriter& w) { w.WriteRawString(3, std::string("\0ab", 3)); }, true, L""},
        {"count zero", [](PackageWriter& w) { w.WriteRawString(0, ""); }, true, L""},
        {"negative count", [](PackageWriter& w) { w.WriteRawString(-5, ""); }, true, L""},
        {"count beyond the data", [](PackageWriter& w) { w.WriteRawString(100000, "abc"); }, false, L""},
        {"largest count", [](PackageWriter& w) { w.WriteRawString(INT32_MAX, "abc"); }, false, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        CPackage package;
        EXPECT_EQ(c.reads, ReadPackageBytes(PackageWithFormName(c.write), package));
        if (c.reads) {
            ASSERT_EQ(1u, package.Forms().size());
            EXPECT_EQ(c.name, package.Forms()[0]->Settings().name);
        }
    }
}

TEST(PackageRecord, BoolIsTrueOnlyForOne)
{
    for (int32_t stored : {0, 1, 2, -1}) {
        PackageWriter writer;
        writer.WriteInt32(1);
        writer.WriteInt32(0);
        writer.WriteString(L"");
        writer.WriteString(L"");
        writer.WriteInt32(stored);
        for (int i = 0; i < 7; ++i)
            writer.WriteInt32(0);
        CPackage package;
        ASSERT_TRUE(ReadPackageBytes(writer.Bytes(), package));
        EXPECT_EQ(stored == 1, package.Settings().trayIcon) << stored;
    }
}

TEST(PackageRecord, CutAtAnyFieldFails)
{
    PackageWriter writer;
    writer.WritePackage(FullPackage(14));
    const ByteVector& whole = writer.Bytes();
    size_t fieldStart = 0;
    for (size_t end : writer.FieldEnds()) {
        for (size_t cut : {fieldStart, (fieldStart + end) / 2, end - 1}) {
            if (cut >= whole.size())
                continue;
            CPackage package;
            EXPECT_FALSE(ReadPackageBytes(ByteVector(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut)),
                                          package))
                << cut;
        }
        fieldStart = end;
    }
    CPackage package;
    EXPECT_TRUE(ReadPackageBytes(whole, package));
}

TEST(PackageRecord, CountsAndLengthsOutOfRange)
{
    const auto base = [](int32_t version) {
        PackageWriter w;
        PackageContent content;
        content.version = version;
        w.WritePackage(content);
        // Fields 1 to 11: everything before the form count.
        return ByteVector(w.Bytes().begin(), w.Bytes().begin() + static_cast<std::ptrdiff_t>(w.FieldEnds()[10]));
    };
    const auto with = [&](int32_t version, const std::function<void(PackageWriter&)>& tail) {
        ByteVector bytes = base(version);
        PackageWriter w;
        tail(w);
        bytes.insert(bytes.end(), w.Bytes().begin(), w.Bytes().end());
        return bytes;
    };
    const struct {
        const char* label;
        ByteVector bytes;
        bool reads;
    } cases[] = {
        {"negative form count", with(1, [](PackageWriter& w) { w.WriteInt32(-3); }), true},
        {"huge form count", with(1, [](PackageWriter& w) { w.WriteInt32(INT32_MAX); }), false},
        {"embedded file of negative length", with(2, [](PackageWriter& w) {
             w.WriteInt32(0); w.WriteInt32(1); w.WriteInt32(1); w.WriteInt32(-7); }), true},
        {"embedded file longer than the data", with(2, [](PackageWriter& w) {
             w.WriteInt32(0); w.WriteInt32(1); w.WriteInt32(1); w.WriteInt32(INT32_MAX); w.WriteBytes(Pattern(9, 1)); }),
         false},
        {"value longer than the data", with(3, [](PackageWriter& w) {
             w.WriteInt32(0); w.WriteInt32(0); w.WriteInt32(1); w.WriteString(L"n"); w.WriteInt32(1);
             w.WriteInt32(0x40000000); w.WriteBytes(Pattern(16, 1)); }),
         false},
        {"value of negative length", with(3, [](PackageWriter& w) {
             w.WriteInt32(0); w.WriteInt32(0); w.WriteInt32(1); w.WriteString(L"n"); w.WriteInt32(1);
             w.WriteInt32(-16); }),
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        CPackage package;
        EXPECT_EQ(c.reads, ReadPackageBytes(c.bytes, package));
    }
}

TEST(PackageRecord, EmbeddedAndLibraryFilesDescramble)
{
    PackageContent content = FullPackage(4);
    CPackage package;
    ASSERT_TRUE(ReadPackageBytes(WritePackage(content), package));
    ASSERT_EQ(2u, package.EmbeddedFiles().size());
    int32_t length = -1;
    std::unique_ptr<unsigned char[]> bytes;
    ASSERT_TRUE(package.EmbeddedFiles()[0]->GetData(length, bytes));
    EXPECT_EQ(content.embeddedFiles[0].bytes, ByteVector(bytes.get(), bytes.get() + length));
    // The head is the descrambled file's start, cut at the file's end.
    unsigned char head[4] = {};
    const size_t headLength = std::min(sizeof head, content.embeddedFiles[0].bytes.size());
    ASSERT_EQ(headLength, package.EmbeddedFiles()[0]->CopyHead(head, sizeof head));
    EXPECT_EQ(ByteVector(bytes.get(), bytes.get() + headLength), ByteVector(head, head + headLength));
    ASSERT_TRUE(package.EmbeddedFiles()[1]->GetData(length, bytes));
    EXPECT_EQ(0, length);
    EXPECT_EQ(0u, package.EmbeddedFiles()[1]->CopyHead(head, sizeof head));

    const CPackageBinary* library = package.FindBinary(L"lib/a.txt");
    ASSERT_NE(nullptr, library);
    ASSERT_TRUE(library->GetData(length, bytes));
    EXPECT_EQ(content.libraryFiles[0].second.bytes, ByteVector(bytes.get(), bytes.get() + length));
    EXPECT_EQ(nullptr, package.FindBinary(L"LIB/a.txt"));
}

} // namespace
