// The drive rows through the call road against the test's own readings of
// the test prefix's drives (C: with the serial 0ABC1234, D: a CD-ROM drive
// backed by a folder), their texts and numbers as tables, and the CD tray
// through its seam.
#include "commandcalls.h"
#include "syscdtray.h"
#include "sysdrivetexts.h"
#include "systemtestsupport.h"

#include <gtest/gtest.h>

#include <wx/msw/wrapwin.h>

#include <winioctl.h>

#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

TEST(DriveTexts, SerialNumbersAreUpperCaseHexWithoutLeadingZeros)
{
    const struct {
        uint32_t serial;
        const wchar_t* text;
    } cases[] = {
        {0x0ABC1234u, L"ABC1234"}, {0u, L"0"}, {0xFFFFFFFFu, L"FFFFFFFF"}, {0x1u, L"1"}, {0xdeadbeefu, L"DEADBEEF"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, SerialNumberText(c.serial)) << c.serial;
}

TEST(DriveTexts, SpaceIsAskedOnlyForOneLetterLowerCased)
{
    const struct {
        const wchar_t* drive;
        const wchar_t* root;
    } cases[] = {
        {L"c", L"c:\\"}, {L"C", L"c:\\"}, {L"z", L"z:\\"}, {L"A", L"a:\\"}, {L"C:", L""},
        {L"1", L""},     {L"", L""},      {L"cd", L""},     {L"\u00e4", L""}, {L"[", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.root, SpaceQueryRoot(c.drive)) << wxString(c.drive);
}

TEST(DriveTexts, KibibytesKeepTheLow32Bits)
{
    const uint64_t kTiB = uint64_t(1) << 40;
    const struct {
        uint64_t bytes;
        int32_t kib;
    } cases[] = {
        {0, 0},
        {1023, 0},
        {1024 * 1024 + 1023, 1024},
        {(uint64_t(1) << 41) - 1024, INT32_MAX}, // 2 TiB less one KiB
        {3 * kTiB, -1073741824},                 // 3 TiB: 3 x 2^30 KiB reads as negative
        {4 * kTiB + 2048, 2},                    // beyond 32 bits: wraps
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.kib, LowKibibytes(c.bytes)) << c.bytes;
}

TEST(DriveTexts, FirstRootOfTheDriveListThatIsACdRom)
{
    const auto isCdRom = [](const std::wstring& root) { return root == L"D:\\" || root == L"F:\\"; };
    const struct {
        const char* what;
        std::wstring list;
        const wchar_t* root;
    } cases[] = {
        {"no CD-ROM", std::wstring(L"C:\\\0Z:\\\0", 8), L""},
        {"a CD-ROM listed second", std::wstring(L"C:\\\0D:\\\0Z:\\\0", 12), L"D:\\"},
        {"the first of two", std::wstring(L"C:\\\0F:\\\0D:\\\0", 12), L"F:\\"},
        {"an empty list", std::wstring(), L""},
        {"the empty root ends the list", std::wstring(L"C:\\\0\0D:\\\0", 9), L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.root, FirstRootWhere(c.list, isCdRom)) << c.what;
}

class SystemDrives : public testing::Test, public SystemRowsTest {};

std::string OwnKibibytes(const wchar_t* root, bool total)
{
    ULARGE_INTEGER freeForCaller = {};
    ULARGE_INTEGER all = {};
    EXPECT_TRUE(GetDiskFreeSpaceExW(root, &freeForCaller, &all, nullptr));
    return std::to_string(LowKibibytes(total ? all.QuadPart : freeForCaller.QuadPart));
}

TEST_F(SystemDrives, AnswerTheDrivesOfTheTestPrefix)
{
    const struct {
        const char* row;
        const char* args;
        std::string answer;
    } cases[] = {
        {"getHDSerial", "\"c\"", "\"ABC1234\""},
        {"getHDSerial", "\"C\"", "\"ABC1234\""},
        {"getHDSerial", "\"C:\"", "\"0\""},
        {"getHDSerial", "\"\"", "\"0\""},
        {"getHDSerial", "\"cd\"", "\"0\""},
        {"getHDSerial", "\"q\"", "\"0\""},
        {"getTotalSpace", "\"c\"", OwnKibibytes(L"C:\\", true)},
        {"getTotalSpace", "\"C\"", OwnKibibytes(L"C:\\", true)},
        {"getTotalSpace", "\"C:\"", "0"},
        {"getTotalSpace", "\"1\"", "0"},
        {"getTotalSpace", "\"q\"", "0"},
        {"getFreeSpace", "\"C:\"", "0"},
        {"getFreeSpace", "\"1\"", "0"},
        {"getFreeSpace", "\"q\"", "0"},
        {"getNumberOfVolumes", "", "0"},
        {"getVolumeName", "0", "\"\""},
        {"getVolumeName", "7", "\"\""},
        {"getVolumeName", "\"x\"", "\"\""},
        {"get_CDDrive", "", "\"D:\\\\\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.answer, Ask(c.row, c.args)) << c.row << "(" << c.args << ")";
}

TEST_F(SystemDrives, FreeSpaceIsTheCallersShare)
{
    // Other programs write to the same disk meanwhile: a small tolerance.
    const int32_t kToleranceKib = 256 * 1024;
    for (const char* drive : {"\"c\"", "\"C\""}) {
        const int32_t own = std::stoi(OwnKibibytes(L"C:\\", false));
        const int32_t answered = std::stoi(Ask("getFreeSpace", drive));
        EXPECT_NEAR(own, answered, kToleranceKib) << drive;
        EXPECT_GT(answered, 0) << drive;
    }
}

// Records the tray requests instead of sending them, with the thread that
// made each.
class TrayRecorder {
public:
    struct Request {
        std::wstring devicePath;
        uint32_t controlCode;
        std::thread::id thread;
    };

    explicit TrayRecorder(bool accepts)
    {
        SetTrayControl([this, accepts](const std::wstring& devicePath, uint32_t controlCode) {
            std::lock_guard<std::mutex> hold(m_lock);
            m_requests.push_back({devicePath, controlCode, std::this_thread::get_id()});
            return accepts;
        });
    }
    ~TrayRecorder() { SetTrayControl(nullptr); }

    std::vector<Request> Requests() const
    {
        std::lock_guard<std::mutex> hold(m_lock);
        return m_requests;
    }

private:
    mutable std::mutex m_lock;
    std::vector<Request> m_requests;
};

struct TrayCase {
    const char* row;
    const char* drive;
    const wchar_t* devicePath;
    uint32_t controlCode;
};

const TrayCase kTrayCases[] = {
    {"openCDTray", "\"D\"", L"\\\\.\\D:", IOCTL_STORAGE_EJECT_MEDIA},
    {"closeCDTray", "\"D\"", L"\\\\.\\D:", IOCTL_STORAGE_LOAD_MEDIA},
    {"openCDTray", "\"D:\"", L"\\\\.\\D::", IOCTL_STORAGE_EJECT_MEDIA},
};

void ExpectTrayRequests(const std::vector<TrayRecorder::Request>& requests)
{
    ASSERT_EQ(std::size(kTrayCases), requests.size());
    for (size_t index = 0; index < requests.size(); ++index) {
        EXPECT_EQ(kTrayCases[index].devicePath, requests[index].devicePath) << index;
        EXPECT_EQ(kTrayCases[index].controlCode, requests[index].controlCode) << index;
    }
}

TEST_F(SystemDrives, TrayRowsSendTheirRequestAndAnswer0)
{
    for (const bool accepts : {true, false}) {
        SCOPED_TRACE(accepts ? "the drive accepts" : "the drive refuses");
        TrayRecorder recorder(accepts);
        for (const TrayCase& c : kTrayCases)
            EXPECT_EQ("0", Ask(c.row, c.drive)) << c.row << "(" << c.drive << ")";
        ExpectTrayRequests(recorder.Requests());
    }
}

TEST_F(SystemDrives, QueuedTrayRowsRunOnTheWorker)
{
    TrayRecorder recorder(true);
    for (const TrayCase& c : kTrayCases)
        Send(c.row, c.drive);
    ASSERT_TRUE(PumpEventsUntil([&] { return recorder.Requests().size() == std::size(kTrayCases); }));
    ExpectTrayRequests(recorder.Requests());
    for (const TrayRecorder::Request& request : recorder.Requests())
        EXPECT_NE(std::this_thread::get_id(), request.thread);
}

// True when D: shows the files of the folder that the test run set up for
// it, so a request to D: reaches no real drive.
bool DriveDIsTheRunsFolder()
{
    const char* scratch = std::getenv("KOVA_TEST_SCRATCH");
    if (!scratch)
        return false;
    wxString folder = wxString("Z:") + wxString::FromUTF8(scratch) + "/cdrom";
    folder.Replace("/", "\\");
    const wxString marker = wxString::Format("tray-check-%lu.txt", GetCurrentProcessId());
    const wxString markerPath = folder + "\\" + marker;
    HANDLE file = CreateFileW(markerPath.wc_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    const bool seen = GetFileAttributesW(("D:\\" + marker).wc_str()) != INVALID_FILE_ATTRIBUTES;
    DeleteFileW(markerPath.wc_str());
    return seen;
}

TEST_F(SystemDrives, RealTrayRequestToTheFolderBackedDriveMovesNothing)
{
    ASSERT_EQ(static_cast<UINT>(DRIVE_CDROM), GetDriveTypeW(L"D:\\"));
    ASSERT_TRUE(DriveDIsTheRunsFolder()) << "D: is not the run's folder: no real request is made";
    EXPECT_FALSE(MoveCdTray(L"D", TrayMove::Open));
    EXPECT_FALSE(MoveCdTray(L"D", TrayMove::Close));
    EXPECT_EQ("0", Ask("openCDTray", "\"D\""));
    EXPECT_EQ("0", Ask("closeCDTray", "\"D\""));
}

} // namespace
