// The Encryption rows through the call road, against texts and files that
// python3-cryptography enciphered (blowfishpeer.py prepare, in the working
// directory's "peer" folder). What these tests encipher into "out" is
// deciphered by the peer after the program ends (blowfishpeer.py check).
#include "base64.h"
#include "commandcalls.h"
#include "encryptedtext.h"
#include "eventcapture.h"
#include "nxaencryption.h"
#include "pinnedtable.h"
#include "scopedcommandcentre.h"
#include "scratchfolder.h"
#include "standinform.h"
#include "textfile.h"
#include "wholefile.h"

#include <gtest/gtest.h>

#include <json-c/json.h>

#include <wx/dir.h>
#include <wx/file.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/utils.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const kEncryptString = "nxa.Encryption.encryptString";
const char* const kDecryptString = "nxa.Encryption.decryptString";
const char* const kEncryptFile = "nxa.Encryption.encryptFile";
const char* const kDecryptFile = "nxa.Encryption.decryptFile";

std::string FromHex(const std::string& hex)
{
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

// A JSON string of UTF-8 text.
std::string Quoted(const std::string& utf8)
{
    std::string json = "\"";
    for (char c : utf8) {
        if (c == '\\' || c == '"')
            json += '\\';
        json += c;
    }
    return json + "\"";
}

std::string Quoted(const std::wstring& text)
{
    return Quoted(wxString(text).ToStdString(wxConvUTF8));
}

// The text of a JSON string reply; "<null>" for null, "<other>" otherwise.
std::string ReplyText(const std::string& reply)
{
    json_object* value = json_tokener_parse(reply.c_str());
    std::string text = !value ? "<null>" : json_object_is_type(value, json_type_string) ? json_object_get_string(value)
                                                                                          : "<other>";
    json_object_put(value);
    return text;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    return WriteWholeFile(path, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<long>(bytes.size()));
}

std::wstring InWorkingDirectory(const std::wstring& name)
{
    return (wxGetCwd() + L"\\" + name).ToStdWstring();
}

std::vector<std::vector<std::string>> ReadTable(const std::wstring& path)
{
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : SplitLines(ReadFileText(path))) {
        std::vector<std::string> cells;
        std::istringstream fields(line);
        for (std::string cell; std::getline(fields, cell, '\t');)
            cells.push_back(cell);
        rows.push_back(cells);
    }
    return rows;
}

// Points the process's temporary folder at a folder of the test's own while
// it lives: other programs of the run write "nxa*.tmp" files of their own
// into the shared one.
class PrivateTemporaryFolder {
public:
    explicit PrivateTemporaryFolder(const std::wstring& folder)
    {
        wxGetEnv("TMP", &m_tmp);
        wxGetEnv("TEMP", &m_temp);
        wxMkdir(folder);
        wxSetEnv("TMP", folder);
        wxSetEnv("TEMP", folder);
    }
    ~PrivateTemporaryFolder()
    {
        wxSetEnv("TMP", m_tmp);
        wxSetEnv("TEMP", m_temp);
    }

    size_t CountFiles() const
    {
        wxArrayString files;
        wxDir::GetAllFiles(wxFileName::GetTempDir(), &files, "*", wxDIR_FILES);
        return files.size();
    }

private:
    wxString m_tmp;
    wxString m_temp;
};

std::string KeyOfLength(size_t length)
{
    std::string key;
    for (size_t i = 0; i < length; ++i)
        key += static_cast<char>('A' + i % 26);
    return key;
}

class EncryptionCommands : public testing::Test {
protected:
    EncryptionCommands() : centre({&nxaEncryption::Frame::Descriptor()}), form(0, "main")
    {
        EXPECT_TRUE(centre.Initialised());
        id = CallCommandSync("nxa.Encryption.create", "", 0, 7);
    }

    std::string EncryptString(const std::string& key, const std::string& text)
    {
        return ReplyText(CallCommandSync(kEncryptString, id + ", " + Quoted(key) + ", " + Quoted(text)));
    }

    std::string DecryptString(const std::string& key, const std::string& text)
    {
        return ReplyText(CallCommandSync(kDecryptString, id + ", " + Quoted(key) + ", " + Quoted(text)));
    }

    std::string FileArgs(const std::string& key, const std::wstring& source, const std::wstring& destination)
    {
        return id + ", " + Quoted(key) + ", " + Quoted(source) + ", " + Quoted(destination);
    }

    std::string EncryptFile(const std::string& key, const std::wstring& source, const std::wstring& destination)
    {
        return CallCommandSync(kEncryptFile, FileArgs(key, source, destination));
    }

    std::string DecryptFile(const std::string& key, const std::wstring& source, const std::wstring& destination)
    {
        return CallCommandSync(kDecryptFile, FileArgs(key, source, destination));
    }

    ScopedCommandCentre centre;
    StandInForm form;
    std::string id;
    ScratchFolder scratch;
};

} // namespace

// The peer refuses keys below 4 bytes: the published variable-key-length
// vectors (plain block FEDCBA9876543210) are the oracle there. The first
// enciphered block of a text is the block enciphered alone.
TEST(EncryptedText, FirstBlockMatchesPublishedVariableKeyVectors)
{
    const std::pair<const char*, const char*> vectors[] = {
        {"F0", "F9AD597C49DB005E"},       {"F0E1", "E91D21C1D961A6D6"},
        {"F0E1D2", "E9C2B70A1BC65CF3"},   {"F0E1D2C3", "BE1E639408640F05"},
        {"F0E1D2C3B4A5968778695A4B3C2D1E0F", "93142887EE3BE15C"},
    };
    for (const auto& vector : vectors) {
        SCOPED_TRACE(vector.first);
        std::string base64;
        ASSERT_TRUE(EncryptedText::Encrypt(FromHex(vector.first), FromHex("FEDCBA9876543210"), base64));
        const std::vector<unsigned char> blocks = Base64Decode(base64);
        ASSERT_EQ(16u, blocks.size());
        EXPECT_EQ(FromHex(vector.second), std::string(blocks.begin(), blocks.begin() + 8));
    }
}

TEST(EncryptedText, AcceptsOnlyWholeBase64GroupsWithPaddingAtTheEnd)
{
    const std::pair<const char*, bool> cases[] = {
        {"QUJD", true},  {"QUI=", true},  {"QQ==", true},   {"Q+/9", true},  {"", true},
        {"QUJ", false},  {"QQ=", false},  {"Q===", false},  {"====", false}, {"QU=D", false},
        {"QUI=QUJD", false}, {"QU D", false}, {"QU\xc3\xa9", false}, {"QUJD\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        EXPECT_EQ(c.second, EncryptedText::IsStrictBase64(c.first));
    }
}

TEST_F(EncryptionCommands, PinnedTableAndUnknownIds)
{
    ExpectPinnedTable(nxaEncryption::Frame::Descriptor(), {
                                                   {"nxa.Encryption.create", 0, "-1"},
                                                   {"nxa.Encryption.decryptFile", 4, "false"},
                                                   {"nxa.Encryption.decryptString", 3, "null"},
                                                   {"nxa.Encryption.encryptFile", 4, "false"},
                                                   {"nxa.Encryption.encryptString", 3, "null"},
                                               });
    EXPECT_EQ("-1", CallCommandSync("nxa.Encryption.create", "1"));
    EXPECT_EQ("null", CallCommandSync(kEncryptString, "987, \"key\", \"text\""));
    EXPECT_EQ("false", CallCommandSync(kEncryptFile, "987, \"key\", \"a\", \"b\""));
}

TEST_F(EncryptionCommands, StringsEqualThePeers)
{
    std::string ours;
    const auto rows = ReadTable(InWorkingDirectory(L"peer\\strings.tsv"));
    ASSERT_FALSE(rows.empty());
    for (const auto& row : rows) {
        ASSERT_EQ(3u, row.size());
        const std::string key = FromHex(row[0]);
        const std::string text = FromHex(row[1]);
        SCOPED_TRACE(text + " with key " + row[0]);
        const std::string enciphered = EncryptString(key, text);
        EXPECT_EQ(row[2], enciphered);
        EXPECT_EQ(text, DecryptString(key, row[2]));
        ours += row[0] + '\t' + row[1] + '\t' + enciphered + '\n';
    }
    EXPECT_TRUE(WriteBytes(InWorkingDirectory(L"out\\strings.tsv"), ours));
}

TEST_F(EncryptionCommands, StringCases)
{
    const std::string key = "the key";
    const std::string a = EncryptString(key, "a");
    EXPECT_EQ(12u, a.size()) << a;
    EXPECT_EQ('=', a.back());
    EXPECT_EQ(12u, EncryptString(key, "1234567").size());
    EXPECT_EQ(24u, EncryptString(key, "12345678").size());
    EXPECT_EQ(a, EncryptString(key, "a"));

    const std::string secret = EncryptString(key, "secret text");
    EXPECT_EQ("secret text", DecryptString(key, secret));
    EXPECT_NE("secret text", DecryptString("another key", secret));

    EXPECT_EQ("<null>", DecryptString(key, "abc"));           // not whole groups
    EXPECT_EQ("<null>", DecryptString(key, "ab=c" + secret)); // "=" inside
    EXPECT_EQ("<null>", DecryptString(key, secret.substr(0, 8) + "*" + secret.substr(9)));
    EXPECT_EQ("<null>", DecryptString(key, "QUJD"));          // not whole blocks

    const std::string longest = EncryptString(KeyOfLength(56), "a");
    EXPECT_EQ(12u, longest.size());
    EXPECT_EQ("a", DecryptString(KeyOfLength(56), longest));
    EXPECT_EQ("<null>", EncryptString(KeyOfLength(57), "a"));
    EXPECT_EQ("<null>", DecryptString(KeyOfLength(57), longest));

    EXPECT_EQ("<null>", EncryptString(key, ""));
    EXPECT_EQ("<null>", EncryptString("", "a"));
    EXPECT_EQ("<null>", DecryptString(key, ""));
    EXPECT_EQ("null", CallCommandSync(kEncryptString, id + ", null, \"a\""));
}

TEST_F(EncryptionCommands, FilesEqualThePeers)
{
    const auto rows = ReadTable(InWorkingDirectory(L"peer\\files.tsv"));
    ASSERT_FALSE(rows.empty());
    for (const auto& row : rows) {
        ASSERT_EQ(2u, row.size());
        const std::string key = FromHex(row[0]);
        const std::wstring name = wxString(row[1]).ToStdWstring();
        SCOPED_TRACE(row[1]);
        const std::wstring plain = InWorkingDirectory(L"peer\\plain_" + name + L".bin");
        const std::wstring peer = InWorkingDirectory(L"peer\\peer_" + name + L".enc");
        const std::wstring ours = InWorkingDirectory(L"out\\ours_" + name + L".enc");
        EXPECT_EQ("true", EncryptFile(key, plain, ours));
        EXPECT_EQ(ReadFileText(peer), ReadFileText(ours));
        const std::wstring deciphered = scratch / (L"plain_" + name);
        EXPECT_EQ("true", DecryptFile(key, peer, deciphered));
        EXPECT_EQ(ReadFileText(plain), ReadFileText(deciphered));
    }
}

TEST_F(EncryptionCommands, FileCases)
{
    const std::string key = "file key";
    const PrivateTemporaryFolder temporary(scratch / L"tmp");

    ASSERT_TRUE(WriteBytes(scratch / L"empty", ""));
    EXPECT_EQ("true", EncryptFile(key, scratch / L"empty", scratch / L"empty.enc"));
    EXPECT_EQ(std::string(8, '\0'), ReadFileText(scratch / L"empty.enc"));
    ASSERT_TRUE(WriteBytes(scratch / L"empty.dec", "old"));
    EXPECT_EQ("true", DecryptFile(key, scratch / L"empty.enc", scratch / L"empty.dec"));
    EXPECT_TRUE(wxFileExists(scratch / L"empty.dec"));
    EXPECT_EQ("", ReadFileText(scratch / L"empty.dec"));

    ASSERT_TRUE(WriteBytes(scratch / L"nine", "123456789"));
    EXPECT_EQ("true", EncryptFile(key, scratch / L"nine", scratch / L"nine.enc"));
    const std::string nine = ReadFileText(scratch / L"nine.enc");
    ASSERT_EQ(24u, nine.size());
    EXPECT_EQ(std::string("\x09\0\0\0\0\0\0\0", 8), nine.substr(0, 8));

    ASSERT_TRUE(WriteBytes(scratch / L"equal", "ABCDEFGHABCDEFGH"));
    EXPECT_EQ("true", EncryptFile(key, scratch / L"equal", scratch / L"equal.enc"));
    const std::string equal = ReadFileText(scratch / L"equal.enc");
    ASSERT_EQ(24u, equal.size());
    EXPECT_EQ(equal.substr(8, 8), equal.substr(16, 8));

    // One byte more than the header says: refused, nothing written.
    ASSERT_TRUE(WriteBytes(scratch / L"long.enc", nine + "x"));
    EXPECT_EQ("false", DecryptFile(key, scratch / L"long.enc", scratch / L"long"));
    EXPECT_FALSE(wxFileExists(scratch / L"long"));
    ASSERT_TRUE(WriteBytes(scratch / L"short.enc", "\x01\0\0"));
    EXPECT_EQ("false", DecryptFile(key, scratch / L"short.enc", scratch / L"short"));

    // The destination may be the source.
    ASSERT_TRUE(WriteBytes(scratch / L"same", "123456789"));
    EXPECT_EQ("true", EncryptFile(key, scratch / L"same", scratch / L"same"));
    EXPECT_EQ(nine, ReadFileText(scratch / L"same"));
    EXPECT_EQ("true", DecryptFile(key, scratch / L"same", scratch / L"same"));
    EXPECT_EQ("123456789", ReadFileText(scratch / L"same"));

    // A length that does not fit the header is refused before reading.
    {
        wxFile huge;
        ASSERT_TRUE(huge.Create(scratch / L"huge", true));
        ASSERT_NE(wxInvalidOffset, huge.Seek(wxFileOffset(1) << 32));
        ASSERT_EQ(1u, huge.Write("x", 1));
    }
    EXPECT_EQ("false", EncryptFile(key, scratch / L"huge", scratch / L"huge.enc"));
    EXPECT_FALSE(wxFileExists(scratch / L"huge.enc"));

    EXPECT_EQ("false", DecryptFile(key, scratch / L"missing", scratch / L"missing.dec"));
    EXPECT_EQ("false", EncryptFile(key, scratch / L"missing", scratch / L"missing.enc"));
    EXPECT_EQ("false", EncryptFile(KeyOfLength(57), scratch / L"nine", scratch / L"57.enc"));
    EXPECT_EQ("false", EncryptFile("", scratch / L"nine", scratch / L"nokey.enc"));
    EXPECT_EQ("false", EncryptFile(key, scratch / L"nine", L""));
    EXPECT_FALSE(wxFileExists(scratch / L"57.enc") || wxFileExists(scratch / L"nokey.enc"));

    EXPECT_EQ(0u, temporary.CountFiles());
}

TEST_F(EncryptionCommands, AsynchronousFileCommandsReportToTheCreator)
{
    ASSERT_TRUE(WriteBytes(scratch / L"plain", "plain text"));
    const std::string good = FileArgs("key", scratch / L"plain", scratch / L"plain.enc");
    const std::string bad = FileArgs("key", scratch / L"missing", scratch / L"missing.enc");
    EventCapture capture;

    // Synchronous calls answer by their result alone.
    EXPECT_EQ("true", CallCommandSync(kEncryptFile, good));
    EXPECT_EQ("false", CallCommandSync(kEncryptFile, bad));
    EXPECT_TRUE(capture.Events().empty());

    // Sent from form 1, reported to the creator: form 0, caller 7.
    StandInForm second(1, "second");
    CallCommandAsync(kEncryptFile, good, 1, 9);
    CallCommandAsync(kDecryptFile, bad, 1, 9);
    ASSERT_TRUE(capture.WaitFor(2));

    // No event for an unknown id or a calling form that is gone; the call
    // after them shows that they have run.
    CallCommandAsync(kEncryptFile, "987" + good.substr(id.size()), 0, 7);
    CallCommandAsync(kEncryptFile, good, 5, 7);
    CallCommandAsync(kDecryptFile, FileArgs("key", scratch / L"plain.enc", scratch / L"plain.dec"), 0, 7);
    ASSERT_TRUE(capture.WaitFor(3));

    std::vector<std::wstring> seen;
    for (const AsyncEventData& event : capture.Events()) {
        EXPECT_EQ(0, event.formId);
        EXPECT_EQ(7, event.callerId);
        EXPECT_EQ(L"{ }", event.payload);
        seen.push_back(event.eventName);
    }
    EXPECT_EQ((std::vector<std::wstring>{L"onComplete", L"onIOError", L"onComplete"}), seen);
    EXPECT_EQ("plain text", ReadFileText(scratch / L"plain.dec"));
}
