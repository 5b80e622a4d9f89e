// The Zip rows through the call road, against archives that Python's zipfile
// wrote (zippeer.py prepare, in the working directory's "peer" folder). The
// archives these tests write into "out" are read back by zipfile and tested
// with unzip after the program ends (zippeer.py check).
#include "commandcalls.h"
#include "nxazip.h"
#include "pinnedtable.h"
#include "scopedcommandcentre.h"
#include "scratchfolder.h"
#include "textfile.h"
#include "wholefile.h"
#include "zipper.h"

#include <gtest/gtest.h>

#include <wx/datetime.h>
#include <wx/dir.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/wfstream.h>
#include <wx/zipstrm.h>

#include <windows.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

const char* const kZip = "nxa.Zip.zip";
const char* const kUnzip = "nxa.Zip.unzip";

std::string Utf8(const std::wstring& text)
{
    return wxString(text).ToStdString(wxConvUTF8);
}

// A JSON string of the text (paths hold backslashes).
std::string Quoted(const std::wstring& text)
{
    std::string json = "\"";
    for (char c : Utf8(text))
        json += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return json + "\"";
}

bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    return WriteWholeFile(path, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<long>(bytes.size()));
}

bool Exists(const std::wstring& path)
{
    return wxFileExists(path) || wxDirExists(path);
}

// The working directory's peer archive or output file, as a Windows path.
std::wstring Peer(const std::wstring& name)
{
    return (wxGetCwd() + L"\\peer\\" + name).ToStdWstring();
}

std::wstring Out(const std::wstring& name)
{
    return (wxGetCwd() + L"\\out\\" + name).ToStdWstring();
}

// Every file and folder below the folder: "name" for files (with their
// bytes), "name/" for folders, parts joined with "/".
std::map<std::string, std::string> Tree(const std::wstring& folder, const std::string& prefix = std::string())
{
    std::map<std::string, std::string> tree;
    wxDir dir(folder);
    wxString name;
    for (bool more = dir.GetFirst(&name, wxString(), wxDIR_FILES | wxDIR_DIRS | wxDIR_HIDDEN); more;
         more = dir.GetNext(&name)) {
        const std::wstring path = folder + L"\\" + name.ToStdWstring();
        const std::string entry = prefix + name.ToStdString(wxConvUTF8);
        if (wxDirExists(path)) {
            tree[entry + "/"] = "";
            const auto below = Tree(path, entry + "/");
            tree.insert(below.begin(), below.end());
        } else {
            tree[entry] = ReadFileText(path);
        }
    }
    return tree;
}

struct ArchiveEntry {
    std::string name; // "/" between parts, folders ending in "/"
    wxDateTime time;
};

// The entries as the toolkit's reader sees them with the ANSI code page.
std::vector<ArchiveEntry> Entries(const std::wstring& archive, bool* ended = nullptr)
{
    std::vector<ArchiveEntry> entries;
    wxFileInputStream file(archive);
    wxCSConv codePage(wxFONTENCODING_SYSTEM);
    wxZipInputStream zip(file, codePage);
    while (wxZipEntry* entry = zip.GetNextEntry()) {
        entries.push_back({entry->GetName(wxPATH_UNIX).ToStdString(wxConvUTF8), entry->GetDateTime()});
        delete entry;
    }
    if (ended)
        *ended = zip.GetLastError() == wxSTREAM_EOF;
    return entries;
}

std::string Pattern(size_t length)
{
    std::string bytes;
    for (size_t i = 0; i < length; ++i)
        bytes += static_cast<char>(i % 256);
    return bytes;
}

class ZipCommands : public testing::Test {
protected:
    ZipCommands() : centre({&nxaZip::Frame::Descriptor()})
    {
        EXPECT_TRUE(centre.Initialised());
        id = CallCommandSync("nxa.Zip.create");
    }

    std::string Zip(const std::wstring& archive, const std::wstring& folder)
    {
        return CallCommandSync(kZip, id + ", " + Quoted(archive) + ", " + Quoted(folder));
    }

    std::string Unzip(const std::wstring& archive, const std::wstring& destination)
    {
        return CallCommandSync(kUnzip, id + ", " + Quoted(archive) + ", " + Quoted(destination));
    }

    ScopedCommandCentre centre;
    std::string id;
    ScratchFolder scratch;
};

} // namespace

TEST(ZipEntryNames, OnlyNamesThatStayInsideTheDestinationAreSafe)
{
    const std::pair<const char*, bool> cases[] = {
        {"a.txt", true},      {"img/b.png", true},        {".hidden", true},         {"a..b/c..", true},
        {"..", false},        {"../x", false},            {"..\\x", false},          {"d/../../x", false},
        {"d\\..\\x", false},  {"/x", false},              {"\\x", false},            {"C:/x", false},
        {"C:x", false},       {"a/b:stream", false},      {"a/. ./x", false},        {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        EXPECT_EQ(c.second, Zipper::IsSafeEntryName(wxString::FromUTF8(c.first)));
    }
}

TEST_F(ZipCommands, PinnedTable)
{
    ExpectPinnedTable(nxaZip::Frame::Descriptor(), {
                                            {"nxa.Zip.create", 0, "-1"},
                                            {"nxa.Zip.zip", 3, "false"},
                                            {"nxa.Zip.unzip", 3, "0"},
                                        });
    EXPECT_EQ("-1", CallCommandSync("nxa.Zip.create", "1"));
    EXPECT_EQ("false", CallCommandSync(kZip, "987, \"a.zip\", \"x\""));
    EXPECT_EQ("0", CallCommandSync(kUnzip, "987, \"a.zip\", \"x\""));
}

TEST_F(ZipCommands, TreeRoundTripsWithFolderEntriesAndTheTimeOfZipping)
{
    const std::wstring tree = scratch / L"tree";
    ASSERT_TRUE(wxMkdir(tree) && wxMkdir(tree + L"\\e") && wxMkdir(tree + L"\\img"));
    const std::map<std::wstring, std::string> files = {
        {L"a.txt", "alpha\n"}, {L"img\\b.png", Pattern(300 * 256)}, {L".hidden", "secret"}, {L"zero.txt", ""}};
    const wxDateTime year2001(1, wxDateTime::Jun, 2001, 12, 0, 0);
    for (const auto& file : files) {
        ASSERT_TRUE(WriteBytes(tree + L"\\" + file.first, file.second));
        ASSERT_TRUE(wxFileName(tree + L"\\" + file.first).SetTimes(&year2001, &year2001, &year2001));
    }
    ::SetFileAttributesW((tree + L"\\.hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);

    const wxDateTime before = wxDateTime::Now();
    ASSERT_EQ("true", Zip(Out(L"roundtrip.zip"), tree));
    std::map<std::string, int> names;
    for (const ArchiveEntry& entry : Entries(Out(L"roundtrip.zip"))) {
        ++names[entry.name];
        EXPECT_LT(std::abs((entry.time - before).GetMinutes()), 5) << entry.name;
    }
    const std::map<std::string, int> expected = {{"a.txt", 1},    {"e/", 1},       {"img/", 1},
                                                 {"img/b.png", 1}, {".hidden", 1}, {"zero.txt", 1}};
    EXPECT_EQ(expected, names);

    const std::wstring copy = scratch / L"copy";
    ASSERT_TRUE(wxMkdir(copy));
    EXPECT_EQ("1", Unzip(Out(L"roundtrip.zip"), copy));
    EXPECT_EQ(Tree(tree), Tree(copy));
}

TEST_F(ZipCommands, ZipFailuresLeaveWhatTheyMade)
{
    const std::wstring folder = scratch / L"folder";
    ASSERT_TRUE(wxMkdir(folder) && WriteBytes(folder + L"\\a.txt", "a"));

    // An archive in a missing folder: nothing is written.
    EXPECT_EQ("false", Zip(scratch / L"missing\\a.zip", folder));
    EXPECT_FALSE(Exists(scratch / L"missing"));

    // A missing folder: an archive without entries stays.
    EXPECT_EQ("false", Zip(scratch / L"nothing.zip", scratch / L"no such folder"));
    bool ended = false;
    EXPECT_TRUE(Entries(scratch / L"nothing.zip", &ended).empty());
    EXPECT_TRUE(ended);

    // A name the ANSI code page cannot hold would be written empty.
    const std::wstring foreign = scratch / L"foreign";
    ASSERT_TRUE(wxMkdir(foreign) && WriteBytes(foreign + L"\\\u0436.txt", "zhe"));
    EXPECT_EQ("false", Zip(scratch / L"foreign.zip", foreign));
}

// The archive is one of the files it packs: it is read as long as it was
// when its turn came, not while it grows.
TEST_F(ZipCommands, ArchiveInsideTheZippedFolderEnds)
{
    const std::wstring folder = scratch / L"self";
    ASSERT_TRUE(wxMkdir(folder) && WriteBytes(folder + L"\\a.bin", Pattern(200000)));
    EXPECT_EQ("true", Zip(folder + L"\\self.zip", folder));
    std::map<std::string, int> names;
    for (const ArchiveEntry& entry : Entries(folder + L"\\self.zip"))
        ++names[entry.name];
    EXPECT_EQ((std::map<std::string, int>{{"a.bin", 1}, {"self.zip", 1}}), names);
}

TEST_F(ZipCommands, CodePageNamesRoundTripAndUtf8FlaggedNamesExtract)
{
    const std::wstring folder = scratch / L"cafe";
    ASSERT_TRUE(wxMkdir(folder) && WriteBytes(folder + L"\\caf\u00e9.txt", "cafe au lait"));
    ASSERT_EQ("true", Zip(Out(L"cafe.zip"), folder));
    const std::wstring copy = scratch / L"cafe copy";
    ASSERT_TRUE(wxMkdir(copy));
    EXPECT_EQ("1", Unzip(Out(L"cafe.zip"), copy));
    EXPECT_EQ("cafe au lait", ReadFileText(copy + L"\\caf\u00e9.txt"));

    const std::wstring flagged = scratch / L"flagged";
    ASSERT_TRUE(wxMkdir(flagged));
    EXPECT_EQ("1", Unzip(Peer(L"utf8name.zip"), flagged));
    EXPECT_EQ("peer text\n", ReadFileText(flagged + L"\\\u017elu\u0165ou\u010dk\u00fd.txt"));
}

TEST_F(ZipCommands, PeerArchivesUnzip)
{
    const std::string text = "peer text\n";
    std::string hundred;
    for (int i = 0; i < 100; ++i)
        hundred += text;
    for (const std::wstring method : {L"stored", L"deflated"}) {
        SCOPED_TRACE(Utf8(method));
        const std::wstring withFolders = scratch / (method + L" folders");
        ASSERT_TRUE(wxMkdir(withFolders));
        EXPECT_EQ("1", Unzip(Peer(method + L"_folders.zip"), withFolders));
        const std::map<std::string, std::string> expected = {{"d/", ""}, {"d/x.txt", text}, {"top.txt", hundred}};
        EXPECT_EQ(expected, Tree(withFolders));

        // sub/x.txt without an entry for sub: no folder is made for it.
        const std::wstring withoutFolders = scratch / (method + L" no folders");
        ASSERT_TRUE(wxMkdir(withoutFolders));
        EXPECT_EQ("0", Unzip(Peer(method + L"_nofolders.zip"), withoutFolders));
        EXPECT_EQ((std::map<std::string, std::string>{{"top.txt", hundred}}), Tree(withoutFolders));
    }
}

TEST_F(ZipCommands, UnzipCases)
{
    struct Case {
        const wchar_t* archive;
        const char* answer;
        std::map<std::string, std::string> tree; // the destination afterwards
    };
    const std::string text = "peer text\n";
    const Case cases[] = {
        {L"empty.zip", "1", {}},
        {L"notanarchive.txt", "0", {}},
        {L"no such archive.zip", "0", {}},
        // Damaged data: the entries before stay, the damaged file goes.
        {L"damaged.zip", "0", {{"first.txt", text}}},
        // Names that would leave the destination stop the extraction there.
        {L"slip_dotdot.zip", "0", {{"first.txt", text}}},
        {L"slip_backslash.zip", "0", {{"first.txt", text}}},
        {L"slip_deep.zip", "0", {{"first.txt", text}}},
        {L"slip_absolute.zip", "0", {{"first.txt", text}}},
        {L"slip_drive.zip", "0", {{"first.txt", text}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.archive));
        ScratchFolder outer;
        const std::wstring destination = outer / L"destination";
        ASSERT_TRUE(wxMkdir(destination));
        EXPECT_EQ(c.answer, Unzip(Peer(c.archive), destination));
        EXPECT_EQ(c.tree, Tree(destination));
        EXPECT_FALSE(Exists(outer / L"kova_slip_evil.txt"));
        EXPECT_FALSE(Exists(L"C:\\kova_slip_evil.txt"));
        EXPECT_FALSE(Exists(L"\\kova_slip_evil.txt"));
    }
}

TEST_F(ZipCommands, UnzipNeverMakesTheDestinationAndReplacesFiles)
{
    const std::wstring missing = scratch / L"missing";
    EXPECT_EQ("0", Unzip(Peer(L"stored_folders.zip"), missing));
    EXPECT_FALSE(Exists(missing));

    const std::wstring destination = scratch / L"destination";
    ASSERT_TRUE(wxMkdir(destination) && wxMkdir(destination + L"\\d"));
    ASSERT_TRUE(WriteBytes(destination + L"\\d\\x.txt", "an older and longer text"));
    EXPECT_EQ("1", Unzip(Peer(L"deflated_folders.zip"), destination));
    EXPECT_EQ("peer text\n", ReadFileText(destination + L"\\d\\x.txt"));
}
