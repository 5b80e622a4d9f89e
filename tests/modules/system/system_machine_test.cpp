// The machine and system facts through the call road, each against the
// test's own reading of the same source, and the machine registry reads.
#include "machineregistry.h"
#include "systemtestsupport.h"

#include <gtest/gtest.h>

#include <wx/msw/wrapwin.h>
#include <wx/utils.h>

#include <shlobj.h>

#include <regex>
#include <string>
#include <vector>

namespace {

const wchar_t kVersionKey[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion";
const wchar_t kOrganisation[] = L"RegisteredOrganization";
const wchar_t kTestKey[] = L"Software\\KovaTests\\MachineRegistry";

std::string OwnComputerName()
{
    wchar_t name[257] = {};
    DWORD length = 257;
    EXPECT_TRUE(GetComputerNameW(name, &length));
    return JsonTextOf(wxString(name, length));
}

std::string OwnUserName()
{
    wchar_t name[257] = {};
    DWORD length = 257;
    EXPECT_TRUE(GetUserNameW(name, &length));
    return JsonTextOf(wxString(name));
}

std::string OwnCpuSpeed()
{
    DWORD mhz = 0;
    DWORD size = sizeof(mhz);
    EXPECT_EQ(ERROR_SUCCESS, RegGetValueW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0",
                                          L"~MHz", RRF_RT_REG_DWORD, nullptr, &mhz, &size));
    return std::to_string(static_cast<int32_t>(mhz));
}

std::string OwnMemoryKib()
{
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof(status);
    EXPECT_TRUE(GlobalMemoryStatusEx(&status));
    return std::to_string(static_cast<int32_t>(static_cast<uint32_t>(status.ullTotalPhys / 1024)));
}

std::string OwnLanguage()
{
    wchar_t name[256] = {};
    EXPECT_NE(0u, VerLanguageNameW(GetSystemDefaultLangID(), name, 256));
    return JsonTextOf(name);
}

OSVERSIONINFOW OwnVersion()
{
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    EXPECT_TRUE(GetVersionExW(&version));
    return version;
}

int SecondsOfDay(int hours, int minutes, int seconds)
{
    return (hours * 60 + minutes) * 60 + seconds;
}

class SystemFacts : public testing::Test, public SystemRowsTest {};

TEST_F(SystemFacts, AnswerWhatTheSystemSays)
{
    const OSVERSIONINFOW version = OwnVersion();
    const std::string versionText =
        JsonTextOf(wxString::Format("%d.%d", int(version.dwMajorVersion), int(version.dwMinorVersion)));
    const std::string servicePack = JsonTextOf(version.dwMajorVersion > 4 ? version.szCSDVersion : L"");
    const std::string description = JsonTextOf(wxGetOsDescription());
    const struct {
        const char* row;
        std::string answer;
    } cases[] = {
        {"get_computerName", OwnComputerName()},
        {"get_computerOwner", OwnUserName()},
        {"get_CPUSpeed", OwnCpuSpeed()},
        {"get_RAMSize", OwnMemoryKib()},
        {"get_isAdmin", IsUserAnAdmin() ? "true" : "false"},
        {"get_language", OwnLanguage()},
        {"get_servicePack", servicePack},
        {"get_winVerString", versionText},
        {"get_verString", versionText},
        {"get_winVerStringDetail", description},
        {"get_verStringDetail", description},
        {"get_linVerString", "\"\""},
        {"get_linVerStringDetail", "\"\""},
        {"get_macVerString", "\"\""},
        {"get_macVerStringDetail", "\"\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.answer, Ask(c.row)) << c.row;
    EXPECT_NE("\"\"", description);
}

TEST_F(SystemFacts, LocalTimeIsTheClockInHoursMinutesAndSeconds)
{
    SYSTEMTIME before = {};
    GetLocalTime(&before);
    const std::string reply = Ask("get_localTime");
    std::smatch parts;
    ASSERT_TRUE(std::regex_match(reply, parts, std::regex("^\"(\\d\\d):(\\d\\d):(\\d\\d)\"$"))) << reply;
    const int answered = SecondsOfDay(std::stoi(parts[1]), std::stoi(parts[2]), std::stoi(parts[3]));
    const int own = SecondsOfDay(before.wHour, before.wMinute, before.wSecond);
    const int apart = (answered - own + 86400) % 86400;
    EXPECT_LE(apart, 2) << reply;
}

// The machine's registered organisation, put back as it was when the test
// ends (deleted again when there was none).
class SavedOrganisation {
public:
    SavedOrganisation()
    {
        EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, kVersionKey, 0, KEY_READ | KEY_WRITE, &m_key));
        DWORD size = 0;
        m_existed = RegQueryValueExW(m_key, kOrganisation, nullptr, &m_type, nullptr, &size) == ERROR_SUCCESS;
        m_bytes.resize(size);
        if (m_existed)
            RegQueryValueExW(m_key, kOrganisation, nullptr, &m_type, m_bytes.data(), &size);
    }
    ~SavedOrganisation()
    {
        if (m_existed)
            RegSetValueExW(m_key, kOrganisation, 0, m_type, m_bytes.data(), static_cast<DWORD>(m_bytes.size()));
        else
            RegDeleteValueW(m_key, kOrganisation);
        RegCloseKey(m_key);
    }

    void Store(const std::wstring& text, bool withNul)
    {
        const size_t bytes = (text.size() + (withNul ? 1 : 0)) * sizeof(wchar_t);
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(m_key, kOrganisation, 0, REG_SZ,
                                                reinterpret_cast<const BYTE*>(text.c_str()), DWORD(bytes)));
    }

    void Delete() { RegDeleteValueW(m_key, kOrganisation); }

private:
    HKEY m_key = nullptr;
    bool m_existed = false;
    DWORD m_type = REG_NONE;
    std::vector<BYTE> m_bytes;
};

std::wstring LongOrganisation()
{
    std::wstring text;
    while (text.size() < 1499)
        text += std::to_wstring(text.size()) + L" ";
    return text.substr(0, 1499); // 3000 bytes with the NUL
}

TEST_F(SystemFacts, CompanyIsTheRegisteredOrganisationReadWhole)
{
    SavedOrganisation saved;
    const struct {
        const char* what;
        std::wstring stored; // empty: the value is deleted
        bool withNul;
    } cases[] = {
        {"stored with its NUL", L"Kova Test Ltd", true},
        {"stored without its NUL", L"Kova Test Ltd", false},
        {"3000 bytes", LongOrganisation(), true},
        {"longer than 2048 bytes, no NUL", LongOrganisation(), false},
        {"value deleted", L"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.stored.empty())
            saved.Delete();
        else
            saved.Store(c.stored, c.withNul);
        EXPECT_EQ(JsonTextOf(c.stored), Ask("get_computerCompany"));
    }
}

// A key of the test's own under HKEY_LOCAL_MACHINE, removed at the end.
class TestMachineKey {
public:
    TestMachineKey()
    {
        EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                                 &m_key, nullptr));
    }
    ~TestMachineKey()
    {
        RegCloseKey(m_key);
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, kTestKey);
    }

    void Set(const wchar_t* name, DWORD type, const void* data, size_t bytes)
    {
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(m_key, name, 0, type, static_cast<const BYTE*>(data), DWORD(bytes)));
    }

private:
    HKEY m_key = nullptr;
};

TEST(MachineRegistry, ReadsTextAndNumbersOfAnyTypeButNone)
{
    TestMachineKey key;
    const wchar_t text[] = L"text";
    const wchar_t embedded[] = L"ab\0cd";
    const wchar_t multi[] = L"one\0two\0";
    const DWORD number = 2400;
    const uint64_t wide = 7;
    key.Set(L"text", REG_SZ, text, sizeof(text));
    key.Set(L"expand", REG_EXPAND_SZ, text, sizeof(text));
    key.Set(L"embedded", REG_SZ, embedded, sizeof(embedded));
    key.Set(L"multi", REG_MULTI_SZ, multi, sizeof(multi));
    key.Set(L"none", REG_NONE, text, sizeof(text));
    key.Set(L"empty", REG_SZ, nullptr, 0);
    key.Set(L"number", REG_DWORD, &number, sizeof(number));
    key.Set(L"wide", REG_QWORD, &wide, sizeof(wide));

    const struct {
        const wchar_t* key;
        const wchar_t* name;
        const wchar_t* text;
        uint32_t number;
    } cases[] = {
        {kTestKey, L"text", L"text", 0},     // eight bytes and the NUL: more than a number
        {kTestKey, L"expand", L"text", 0},
        {kTestKey, L"embedded", L"ab", 0},
        {kTestKey, L"multi", L"one", 0},
        {kTestKey, L"none", L"", 0},
        {kTestKey, L"empty", L"", 0},
        {kTestKey, L"number", L"\x0960", 2400}, // the number's bytes as text
        {kTestKey, L"wide", L"\x0007", 0},
        {kTestKey, L"missing", L"", 0},
        {L"Software\\KovaTests\\NoSuchKey", L"text", L"", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(wxString(c.name));
        EXPECT_EQ(wxString(c.text), ReadMachineText(c.key, c.name));
        EXPECT_EQ(c.number, ReadMachineNumber(c.key, c.name));
    }
}

} // namespace
