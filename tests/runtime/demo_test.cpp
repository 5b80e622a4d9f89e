#include "childprocess.h"
#include "scratchfolder.h"
#include "textfile.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

std::wstring Quoted(const std::wstring& text)
{
    return L"\"" + text + L"\"";
}

// The demo project is written the way scripts/demo.sh writes it and runs to
// its end by itself; its exit code is the number of failed checks.
TEST(Demo, ProjectRunsItsCommandsAndEndsWithoutFailures)
{
    ScratchFolder folder;
    const std::wstring demo = folder / L"demo.exe";
    const std::wstring arguments = Quoted(BuildTreePath(KOVA_RUNTIME_EXE)) + L" " +
                                   Quoted(BuildTreePath(KOVA_DEMO_SCRIPT)) + L" " + Quoted(demo);
    ASSERT_EQ(0, RunChildProcess(BuildTreePath(KOVA_MAKE_DEMO_EXE), arguments, 30000));

    const std::wstring transcript = folder / L"transcript.txt";
    SetEnvironmentVariableW(L"KOVA_PLAYER_TRANSCRIPT", transcript.c_str());
    const long exitCode = RunChildProcess(demo, L"", 60000);
    SetEnvironmentVariableW(L"KOVA_PLAYER_TRANSCRIPT", nullptr);

    EXPECT_EQ(0, exitCode) << ReadFileText(transcript);
}

} // namespace
