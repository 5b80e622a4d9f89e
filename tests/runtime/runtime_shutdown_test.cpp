// The runtime ended while work is in flight: a long asynchronous call, a URL
// transfer that stalls mid-body, file appends queued on the worker and the
// events they post. It must end soon after the movie asks, with the movie's
// exit code, and leave the file it was appending to made of whole records.
#include "childprocess.h"
#include "formcloser.h" // CountLines
#include "projectrun.h"
#include "scratchfolder.h"
#include "testserverport.h"
#include "textfile.h"
#include "waituntil.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

const int kRecords = 8;
const size_t kRecordSize = 32768;
// Well above the worker's grace periods, well below the 20 s of the exit
// watchdog, the 30 s stall of the server and the 65 s delay.
const DWORD kShutdownBoundMs = 10000;

// Record k is kRecordSize copies of one letter, so a cut record shows.
std::string Record(int k)
{
    return std::string(kRecordSize, static_cast<char>('a' + k));
}

// A project executable started with the stand-in player's transcript going
// to a file; killed when the test leaves it running.
class RunningProject {
public:
    RunningProject(const std::wstring& program, const std::wstring& transcript)
    {
        SetEnvironmentVariableW(L"KOVA_PLAYER_TRANSCRIPT", transcript.c_str());
        std::wstring commandLine = L"\"" + program + L"\"";
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &startup, &process)) {
            CloseHandle(process.hThread);
            m_process = process.hProcess;
        }
        SetEnvironmentVariableW(L"KOVA_PLAYER_TRANSCRIPT", nullptr);
    }
    ~RunningProject()
    {
        if (!m_process)
            return;
        if (WaitForSingleObject(m_process, 0) != WAIT_OBJECT_0)
            TerminateProcess(m_process, 1);
        CloseHandle(m_process);
    }
    RunningProject(const RunningProject&) = delete;
    RunningProject& operator=(const RunningProject&) = delete;

    bool Started() const { return m_process != nullptr; }
    bool EndsWithin(DWORD milliseconds) const { return WaitForSingleObject(m_process, milliseconds) == WAIT_OBJECT_0; }
    long ExitCode() const
    {
        DWORD code = 0;
        GetExitCodeProcess(m_process, &code);
        return static_cast<long>(code);
    }

private:
    HANDLE m_process = nullptr;
};

TEST(RuntimeShutdown, EndsSoonWithWorkInFlightAndKeepsItsFileWhole)
{
    const int port = TestServerPort("urlserver", "http");
    ASSERT_GT(port, 0) << "the URL test server's ports are not in " << "urlserver\\ports.txt";
    ScratchFolder folder;
    const std::wstring target = folder / L"records.bin";
    std::string script = "init\n"
                         "call nxa.Application.create\n"
                         "expect 0\n"
                         "call nxa.FileSystem.create\n"
                         "expect 0\n"
                         "geturl http://127.0.0.1:" + std::to_string(port) + "/stall\n";
    for (int k = 0; k < kRecords; ++k)
        script += "async nxa.FileSystem.appendFile [0, " + JsonPath(target) + ", \"" + Record(k) + "\"]\n";
    // Queued behind the appends; it runs (or is dropped) while the runtime ends.
    script += "async nxa.Application.delay [0, 65535]\n"
              "wait onComplete 20000\n"
              "quit nxa.Application.exitWithCode [0, 3]\n";
    PackageContent content;
    content.forms.push_back(ScriptedForm(L"first", script));
    const std::wstring program = folder / L"app.exe";
    ASSERT_TRUE(WriteProjectExecutable(KOVA_RUNTIME_EXE, content, program));

    const std::wstring transcriptPath = folder / L"transcript.txt";
    const RunningProject project(program, transcriptPath);
    ASSERT_TRUE(project.Started());
    std::string transcript;
    ASSERT_TRUE(WaitUntil(
        [&] {
            transcript = ReadFileText(transcriptPath);
            return CountLines(transcript, "script end") > 0 || project.EndsWithin(0);
        },
        60000, nullptr, 20))
        << transcript;
    ASSERT_TRUE(project.EndsWithin(kShutdownBoundMs)) << transcript;
    transcript = ReadFileText(transcriptPath);
    EXPECT_EQ(3, project.ExitCode()) << transcript;
    EXPECT_EQ(1u, CountLines(transcript, "script end passed=3 failed=0")) << transcript;

    // At least the first append ran (its event came); every append that ran
    // did so whole, in order. Appends still queued at the end were dropped.
    const std::string bytes = ReadFileText(target);
    ASSERT_GE(bytes.size(), kRecordSize);
    ASSERT_EQ(0u, bytes.size() % kRecordSize) << bytes.size();
    ASSERT_LE(bytes.size(), kRecords * kRecordSize);
    for (size_t k = 0; k < bytes.size() / kRecordSize; ++k)
        EXPECT_EQ(Record(static_cast<int>(k)), bytes.substr(k * kRecordSize, kRecordSize)) << "record " << k;
}

// A shut-down step stuck on a lock that a cut-off thread held ends through
// the exit watchdog, with the exit code it was given.
TEST(RuntimeShutdown, StuckShutdownEndsThroughTheWatchdog)
{
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(7, RunChildProcess(BuildTreePath(KOVA_EXITWATCHDOG_PROBE_EXE), L"", 30000));
    EXPECT_LT(GetTickCount64() - start, 10000u);
}

} // namespace
