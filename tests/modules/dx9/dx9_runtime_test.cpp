// The runtime itself, in the virtual desktop: a movie switches its real form
// to full screen and back, and the form keeps painting the movie meanwhile.
#include "projectrun.h"
#include "scratchfolder.h"
#include "textfile.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

// The movie ends the runtime with its number of failed checks as exit code.
const char kScript[] = "init\n"
                       "call nxa.DX9.enable [0, 640, 480]\n"
                       "expect true\n"
                       "sleep 500\n"
                       "call nxa.DX9.enable [0, 800, 600]\n"
                       "expect true\n"
                       "call nxa.DX9.disable [0]\n"
                       "expect 0\n"
                       "call nxa.Application.create\n"
                       "quit nxa.Application.exitWithCode [0, %FAILS%]\n";

PackageContent OneFormPackage(const std::string& script)
{
    PackageContent content;
    content.forms.push_back(ScriptedForm(L"main", script));
    return content;
}

long RunPackage(const ScratchFolder& folder, const PackageContent& content, const std::wstring& transcript)
{
    const std::wstring path = folder / L"project.exe";
    if (!WriteProjectExecutable(KOVA_RUNTIME_EXE, content, path))
        return -2;
    return RunWithTranscript(path, L"", transcript);
}

// The lines after the first one that contains the text.
std::vector<std::string> LinesAfter(const std::vector<std::string>& lines, const std::string& text)
{
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].find(text) != std::string::npos)
            return std::vector<std::string>(lines.begin() + static_cast<long>(i) + 1, lines.end());
    return {};
}

bool AnyLineHas(const std::vector<std::string>& lines, const std::string& text)
{
    for (const std::string& line : lines)
        if (line.find(text) != std::string::npos)
            return true;
    return false;
}

} // namespace

TEST(DX9Runtime, MovieSwitchesItsFormToFullScreenAndBack)
{
    ScratchFolder folder;
    const std::wstring transcript = folder / L"transcript.txt";
    EXPECT_EQ(RunPackage(folder, OneFormPackage(kScript), transcript), 0) << ReadFileText(transcript);

    const std::vector<std::string> lines = SplitLines(ReadFileText(transcript));
    const std::vector<std::string> inFullScreen = LinesAfter(lines, "nxa.DX9.enable");
    // Painted at the mode's size while the device owns the window.
    EXPECT_TRUE(AnyLineHas(inFullScreen, "NPP_SetWindow type=2 window=set x=0 y=0 width=640 height=480"))
        << ReadFileText(transcript);
    EXPECT_TRUE(AnyLineHas(inFullScreen, "NPP_HandleEvent event=0xf ")) << ReadFileText(transcript);
}
