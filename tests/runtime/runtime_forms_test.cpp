#include "childprocess.h"
#include "formcloser.h"
#include "packagewriter.h"
#include "scratchfolder.h"
#include "standinmovie.h"
#include "textfile.h"
#include "wholefile.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

FormContent ScriptedForm(const std::wstring& name, const std::string& script)
{
    standin::StandinMovie movie;
    movie.script = script;
    const std::string bytes = standin::BuildStandinMovie(movie);
    FormContent form;
    form.settings.name = name;
    form.settings.title = name;
    form.settings.width = 320;
    form.settings.height = 240;
    form.settings.visible = true;
    form.movie.assign(bytes.begin(), bytes.end());
    return form;
}

TEST(RuntimeForms, EveryFormPlaysItsMovieAndTheRuntimeEndsWithZero)
{
    ScratchFolder folder;
    PackageContent content;
    content.forms.push_back(ScriptedForm(L"first", "init\nexpect \"0\"\nquit\n"));
    content.forms.push_back(ScriptedForm(L"second", "init\nexpect \"1\"\nquit\n"));
    PackageWriter writer;
    writer.WritePackage(content);
    const std::string program = ReadFileText(BuildTreePath(KOVA_RUNTIME_EXE));
    const ByteVector image = BuildExecutableImage(ByteVector(program.begin(), program.end()), writer.Bytes());
    const std::wstring path = folder / L"forms.exe";
    ASSERT_TRUE(WriteWholeFile(path, image.data(), static_cast<long>(image.size())));
    const std::wstring transcript = folder / L"transcript.txt";
    SetEnvironmentVariableW(L"KOVA_PLAYER_TRANSCRIPT", transcript.c_str());

    long exitCode = -2;
    {
        FormCloser closer(L"first", transcript, "script end", 2);
        exitCode = RunChildProcess(path, L"", 60000);
    }
    SetEnvironmentVariableW(L"KOVA_PLAYER_TRANSCRIPT", nullptr);

    const std::string text = ReadFileText(transcript);
    EXPECT_EQ(0, exitCode) << text;
    EXPECT_EQ(2u, CountLines(text, "script end passed=1 failed=0")) << text;
    EXPECT_EQ(1u, CountLines(text, "NP_Shutdown")) << text;
    EXPECT_EQ(SplitLines(text).size(), CountLines(text, "main ")) << text;
}

} // namespace
