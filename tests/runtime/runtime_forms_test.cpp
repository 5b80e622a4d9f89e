#include "formcloser.h"
#include "projectrun.h"
#include "scratchfolder.h"
#include "textconv.h"
#include "textfile.h"
#include "wholefile.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

std::string ReadTempFolder()
{
    char folder[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH + 1, folder);
    return folder;
}

// Runs the package in a copy of the runtime until the form called "first"
// has seen the given number of script ends; returns the exit code.
long RunProject(const ScratchFolder& folder, const PackageContent& content, const std::wstring& transcript,
                size_t scriptEnds)
{
    const std::wstring path = folder / L"project.exe";
    if (!WriteProjectExecutable(KOVA_RUNTIME_EXE, content, path))
        return -2;
    FormCloser closer(L"first", transcript, "script end", scriptEnds);
    return RunWithTranscript(path, L"", transcript);
}

TEST(RuntimeForms, EveryFormPlaysItsMovieAndTheRuntimeEndsWithZero)
{
    ScratchFolder folder;
    PackageContent content;
    content.forms.push_back(ScriptedForm(L"first", "init\nexpect \"0\"\nquit\n"));
    content.forms.push_back(ScriptedForm(L"second", "init\nexpect \"1\"\nquit\n"));
    const std::wstring transcript = folder / L"transcript.txt";

    const long exitCode = RunProject(folder, content, transcript, 2);

    const std::string text = ReadFileText(transcript);
    EXPECT_EQ(0, exitCode) << text;
    EXPECT_EQ(2u, CountLines(text, "script end passed=1 failed=0")) << text;
    EXPECT_EQ(1u, CountLines(text, "NP_Shutdown")) << text;
    EXPECT_EQ(SplitLines(text).size(), CountLines(text, "main ")) << text;
}

// The path a loader movie asked to load: "loadmovie <path> -> <result>".
std::string LoadedPath(const std::string& transcript)
{
    for (const std::string& line : SplitLines(transcript)) {
        const size_t start = line.find("loadmovie ");
        const size_t end = line.rfind(" -> ");
        if (start != std::string::npos && end != std::string::npos && end > start)
            return line.substr(start + 10, end - start - 10);
    }
    return std::string();
}

// A version-8 movie cannot call the runtime itself: the loader movie plays,
// learns the path of a temporary copy from "nxa.init" and loads it; the copy
// is gone once the runtime has ended.
TEST(RuntimeForms, OldMoviesPlayThroughTheLoaderFromATemporaryFile)
{
    ScratchFolder folder;
    PackageContent content;
    content.forms.push_back(ScriptedForm(L"first", "init\nquit\n", 8));
    const std::wstring transcript = folder / L"transcript.txt";

    const long exitCode = RunProject(folder, content, transcript, 2); // the loader's end, then the movie's

    const std::string text = ReadFileText(transcript);
    EXPECT_EQ(0, exitCode) << text;
    const std::string path = LoadedPath(text);
    ASSERT_FALSE(path.empty()) << text;
    EXPECT_EQ(0u, path.rfind(ReadTempFolder() + "NXS", 0)) << path;
    EXPECT_EQ(1u, CountLines(text, "loadmovie " + path + " -> 0")) << text;
    EXPECT_EQ(1u, CountLines(text, "movie from " + path + " version=8")) << text;
    EXPECT_EQ(1u, CountLines(text, "script end passed=0 failed=0")) << text;
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str())) << path;
}

// The movie's data requests are served by the host: a local file given by
// its full path reaches the movie whole, a missing one ends with an error.
TEST(RuntimeForms, MoviesLoadLocalFilesThroughTheHost)
{
    ScratchFolder folder;
    const std::wstring dataPath = folder / L"data.txt";
    const std::string data = "one & two < three";
    ASSERT_TRUE(WriteWholeFile(dataPath, reinterpret_cast<const unsigned char*>(data.data()), static_cast<long>(data.size())));
    const std::string path = WideToUtf8(dataPath);
    PackageContent content;
    content.forms.push_back(ScriptedForm(L"first", "geturl " + path + "\nwaiturl\nexpecturl 0 " + data +
                                                       "\ngeturl " + path + ".missing\nwaiturl\nexpecturl 1\nquit\n"));
    const std::wstring transcript = folder / L"transcript.txt";

    const long exitCode = RunProject(folder, content, transcript, 1);

    const std::string text = ReadFileText(transcript);
    EXPECT_EQ(0, exitCode) << text;
    EXPECT_EQ(1u, CountLines(text, "script end passed=4 failed=0")) << text;
}

} // namespace
