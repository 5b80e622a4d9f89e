#include "formcloser.h" // CountLines
#include "projectrun.h"
#include "scratchfolder.h"
#include "textfile.h"
#include "wholefile.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

// A scripted form with every caption box, so the movie can minimise it.
FormContent BoxedForm(const std::wstring& name, const std::string& script)
{
    FormContent form = ScriptedForm(name, script);
    form.settings.maximizeBox = form.settings.minimizeBox = form.settings.closeBox = true;
    return form;
}

// Runs the project in a copy of the runtime with the arguments; the movie of
// the form "first" ends it. Answers the exit code; the transcript is kept.
class ApplicationRun : public testing::Test {
protected:
    long Run(const PackageContent& content, const std::wstring& arguments)
    {
        const std::wstring path = folder / L"app.exe";
        if (!WriteProjectExecutable(KOVA_RUNTIME_EXE, content, path))
            return -2;
        const long exitCode = RunWithTranscript(path, arguments, folder / L"transcript.txt");
        transcript = ReadFileText(folder / L"transcript.txt");
        return exitCode;
    }

    ScratchFolder folder;
    std::string transcript;
};

// The movie steers its own window through the call road, reads the command
// line and a project variable, opens a form from a movie file and ends the
// process with its own exit code.
TEST_F(ApplicationRun, MovieDrivesTheApplicationAndEndsWithItsExitCode)
{
    const std::string extraMovie = ScriptedMovie("init\nexpect \"1\"\nquit\n");
    const std::wstring extraPath = folder / L"extra movie.swf";
    ASSERT_TRUE(WriteWholeFile(extraPath, reinterpret_cast<const unsigned char*>(extraMovie.data()),
                               static_cast<long>(extraMovie.size())));
    const std::string createExtra = "call nxa.Application.createForm [0, \"extra\", \"standard\", "
        + JsonPath(extraPath) + ", 10, 10, 200, 150]\n";
    const std::string script = "init\n"
                               "call nxa.Application.create\n"
                               "expect 0\n"
                               "call nxa.Application.getGlobalVar [0, \"greeting\"]\n"
                               "expect \"hello\"\n"
                               "call nxa.Application.getCMDParams [0, 2]\n"
                               "expect \"two words\"\n"
                               "call nxa.Application.getCMDParams [0, 3]\n"
                               "expect null\n"
                               "call nxa.Application.set_title [0, \"Renamed\"]\n"
                               "call nxa.Application.get_title [0]\n"
                               "expect \"Renamed\"\n"
                               "call nxa.Application.minimize [0]\n"
                               "call nxa.Application.get_isMinimized [0]\n"
                               "expect true\n"
                               "call nxa.Application.restore [0]\n"
                               "call nxa.Application.get_isMinimized [0]\n"
                               "expect false\n"
                               "call nxa.Application.set_windowStaysOnTop [0, true]\n"
                               + createExtra + "expect true\n" + createExtra + "expect false\n"
                               "call nxa.Application.getFormNames [0]\n"
                               "expect [\"first\", \"extra\"]\n"
                               "call nxa.Application.enableExitHandler [0]\n"
                               "sleep 300\n"
                               "quit nxa.Application.exitWithCode [0, 3]\n";
    PackageContent content;
    content.globalVariables = {{L"greeting", {1, L"hello"}}};
    content.forms.push_back(BoxedForm(L"first", script));

    EXPECT_EQ(3, Run(content, L"--first \"two words\"")) << transcript;
    EXPECT_EQ(0u, CountLines(transcript, "check fail")) << transcript;
    EXPECT_EQ(1u, CountLines(transcript, "script end passed=10 failed=0")) << transcript;
    EXPECT_EQ(1u, CountLines(transcript, "script end passed=1 failed=0")) << "the extra form's movie\n"
                                                                            << transcript;
}

// "exit" without a caption closes at once, even with the exit handler on.
TEST_F(ApplicationRun, ExitWithoutCaptionEndsWithZero)
{
    PackageContent content;
    content.forms.push_back(BoxedForm(L"first", "init\n"
                                                   "call nxa.Application.create\n"
                                                   "call nxa.Application.enableExitHandler [0]\n"
                                                   "quit nxa.Application.exit [0, \"\", \"\"]\n"));
    EXPECT_EQ(0, Run(content, L"")) << transcript;
    EXPECT_EQ(1u, CountLines(transcript, "script end passed=0 failed=0")) << transcript;
}

} // namespace
