#include "applicationtestsupport.h"
#include "commandcalls.h"
#include "eventcapture.h"
#include "messagepumping.h"
#include "scratchfolder.h"
#include "textdecoding.h"
#include "textfile.h"
#include "wholefile.h"

#include <gtest/gtest.h>

#include <wx/filefn.h>

#include <string>
#include <vector>

namespace {

ByteVector Bytes(const std::string& text)
{
    return ByteVector(text.begin(), text.end());
}

// Entries with CR LF text (and a 0x1A byte inside), an empty entry, two
// names that differ only in case, and a name with a folder part.
PackageContent LibraryPackage()
{
    PackageContent content;
    content.libraryFiles = {
        {L"notes.txt", {1, Bytes("one\r\ntwo\x1a three\r\n")}},
        {L"empty.bin", {1, {}}},
        {L"Data.bin", {1, Bytes("upper")}},
        {L"data.bin", {1, Bytes("lower")}},
        {L"assets\\logo.dat", {1, Bytes("logo")}},
    };
    return content;
}

bool WriteFileText(const std::wstring& path, const std::string& text)
{
    return WriteWholeFile(path, reinterpret_cast<const unsigned char*>(text.data()), static_cast<long>(text.size()));
}

std::string Json(const std::wstring& text)
{
    std::string json = "\"";
    for (char c : wxString(text).ToStdString()) {
        if (c == '\\')
            json += "\\\\";
        else
            json += c;
    }
    return json + "\"";
}

std::vector<std::string> EventTexts(const EventCapture& capture)
{
    std::vector<std::string> texts;
    for (const AsyncEventData& event : capture.Events())
        texts.push_back(wxString(event.eventName + L" " + event.payload).ToUTF8().data());
    return texts;
}

class LibraryCommands : public testing::Test {
protected:
    LibraryCommands() : scope(LibraryPackage())
    {
        EXPECT_TRUE(scope.Ready());
        id = CallCommandSync("nxa.Application.Library.create");
    }

    std::string Extract(const std::wstring& entry, const std::wstring& path)
    {
        return CallCommandSync("nxa.Application.Library.extractToFile", id + ", " + Json(entry) + ", " + Json(path));
    }

    ApplicationModuleScope scope;
    ScratchFolder folder;
    std::string id;
};

TEST_F(LibraryCommands, ExtractToFileWritesTheEntryExactly)
{
    const std::wstring target = folder / L"out.bin";
    ASSERT_TRUE(WriteFileText(target, "an older and longer content"));
    EXPECT_EQ("true", Extract(L"Data.bin", target));
    EXPECT_EQ("upper", ReadFileText(target)) << "replaced";
    EXPECT_EQ("true", Extract(L"data.bin", target));
    EXPECT_EQ("lower", ReadFileText(target)) << "names differ in case";
    EXPECT_EQ("true", Extract(L"notes.txt", target));
    EXPECT_EQ("one\r\ntwo\x1a three\r\n", ReadFileText(target)) << "bytes as stored";
    EXPECT_EQ("true", Extract(L"empty.bin", target));
    EXPECT_EQ("", ReadFileText(target));
    EXPECT_TRUE(wxFileExists(target));

    ASSERT_TRUE(WriteFileText(target, "kept"));
    EXPECT_EQ("false", Extract(L"DATA.BIN", target));
    EXPECT_EQ("kept", ReadFileText(target)) << "a missing entry leaves the file alone";
    EXPECT_EQ("false", Extract(L"Data.bin", folder / L"no such folder\\x.bin"));
}

TEST_F(LibraryCommands, ExtractAllToDirWritesEveryEntryUnderItsBareName)
{
    EXPECT_EQ("true", CallCommandSync("nxa.Application.Library.extractAllToDir", id + ", " + Json(folder.Path())));
    // The file system ignores case: the two names share one file, and the
    // later entry in name order ("data.bin") wins.
    EXPECT_EQ("lower", ReadFileText(folder / L"Data.bin"));
    EXPECT_EQ("logo", ReadFileText(folder / L"logo.dat"));
    EXPECT_EQ("", ReadFileText(folder / L"empty.bin"));
    EXPECT_TRUE(wxFileExists(folder / L"empty.bin"));

    EXPECT_EQ("false",
              CallCommandSync("nxa.Application.Library.extractAllToDir", id + ", " + Json(folder / L"missing")));
}

TEST_F(LibraryCommands, ExecPathCommandsWriteIntoTheCurrentWorkingDirectory)
{
    const wxString previous = wxGetCwd();
    ASSERT_TRUE(wxSetWorkingDirectory(folder.Path()));
    EXPECT_EQ("true", CallCommandSync("nxa.Application.Library.extractToExecPath",
                                      id + ", \"Data.bin\", \"sub\\\\copy.bin\""));
    EXPECT_EQ("true", CallCommandSync("nxa.Application.Library.extractAllToExecPath", id));
    wxSetWorkingDirectory(previous);
    EXPECT_EQ("upper", ReadFileText(folder / L"copy.bin")) << "the folder part of the name is dropped";
    EXPECT_EQ("logo", ReadFileText(folder / L"logo.dat"));
}

TEST_F(LibraryCommands, ExtractToVarDecodesTheWholeText)
{
    EXPECT_EQ("\"one\\ntwo\\u001a three\\n\"", CallCommandSync("nxa.Application.Library.extractToVar", id + ", \"notes.txt\""));
    EXPECT_EQ("\"\"", CallCommandSync("nxa.Application.Library.extractToVar", id + ", \"empty.bin\""));
    EXPECT_EQ("\"\"", CallCommandSync("nxa.Application.Library.extractToVar", id + ", \"NOTES.txt\""));
}

TEST_F(LibraryCommands, AsynchronousCallsReportTheirOutcome)
{
    // Reports go to the form and caller that created the object.
    const std::string reporter = CallCommandSync("nxa.Application.Library.create", "", 0, 9);
    EventCapture capture;
    CallCommandAsync("nxa.Application.Library.extractToFile", reporter + ", \"Data.bin\", " + Json(folder / L"a.bin"), 0, 5);
    CallCommandAsync("nxa.Application.Library.extractAllToDir", reporter + ", " + Json(folder / L"missing"), 0, 5);
    CallCommandAsync("nxa.Application.Library.extractToVar", reporter + ", \"data.bin\"", 0, 5);
    CallCommandAsync("nxa.Application.Library.extractToVar", reporter + ", \"empty.bin\"", 0, 5);
    CallCommandAsync("nxa.Application.Library.extractToVar", "100000, \"data.bin\"", 0, 5); // unknown id: silent
    // The calls run in order: once this last one has reported, the silent
    // one before it has run.
    CallCommandAsync("nxa.Application.Library.extractToVar", reporter + ", \"empty.bin\"", 0, 5);
    ASSERT_TRUE(capture.WaitFor(5));
    std::vector<std::string> texts = EventTexts(capture);
    ASSERT_EQ(5u, texts.size());
    EXPECT_EQ("onIOError { }", texts.back()) << "the closing call";
    texts.pop_back();
    EXPECT_EQ((std::vector<std::string>{"onComplete { }", "onIOError { }", "onComplete { \"result\": \"lower\" }",
                                        "onIOError { }"}),
              texts);
    for (const AsyncEventData& event : capture.Events())
        EXPECT_EQ(9, event.callerId);

    EventCapture synchronous;
    CallCommandSync("nxa.Application.Library.extractToVar", id + ", \"data.bin\"");
    EXPECT_TRUE(synchronous.Events().empty());
}

TEST(LibraryWithoutFiles, ExtractAllAnswersFalseEvenForAnExistingFolder)
{
    ApplicationModuleScope scope;
    ASSERT_TRUE(scope.Ready());
    ScratchFolder folder;
    const std::string id = CallCommandSync("nxa.Application.Library.create");
    EXPECT_EQ("false", CallCommandSync("nxa.Application.Library.extractAllToDir", id + ", " + Json(folder.Path())));
}

TEST(TextDecoding, ByteOrderMarksUtf8AndLatin1)
{
    const struct {
        std::string bytes;
        std::wstring text;
    } cases[] = {
        {"", L""},
        {"a\r\nb\rc\n", L"a\nb\rc\n"},
        {"\xef\xbb\xbfx\xc3\xa9", L"x\u00e9"},
        {"caf\xe9", L"caf\u00e9"},                    // not UTF-8: Latin-1
        {"\xc0\xaf", L"\u00c0\u00af"},                // overlong form is not UTF-8
        {std::string("\xff\xfe" "a\0\r\0\n\0", 8), L"a\n"}, // UTF-16LE
        {std::string("\xfe\xff\0a\xd8\x3d\xde\x00", 8), std::wstring(L"a") + wchar_t(0xD83D) + wchar_t(0xDE00)},
        {std::string("\xff\xfe\0\0" "b\0\0\0", 8), L"b"}, // UTF-32LE
        {std::string("z\0\x1a", 3), std::wstring(L"z\0\x1a", 3)},
    };
    for (const auto& c : cases) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(c.bytes.data());
        EXPECT_EQ(c.text, DecodeTextBytes(bytes, c.bytes.size())) << c.bytes;
    }
}

} // namespace
