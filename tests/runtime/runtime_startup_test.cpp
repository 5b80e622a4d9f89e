#include "childprocess.h"
#include "formcloser.h"
#include "packagewriter.h"
#include "scratchfolder.h"
#include "textfile.h"
#include "wholefile.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

ByteVector ProgramBytes(const char* hostPath)
{
    const std::string text = ReadFileText(BuildTreePath(hostPath));
    return ByteVector(text.begin(), text.end());
}

ByteVector PackageBytes(const PackageContent& content)
{
    PackageWriter writer;
    writer.WritePackage(content);
    return writer.Bytes();
}

PackageContent PasswordPackage()
{
    PackageContent content;
    content.settings.passwordRequired = true;
    content.settings.password = L"Se<cret>";
    content.forms.emplace_back();
    return content;
}

// Writes the program with a package appended and runs it. The start-up
// dialogs of the scripted runtime are answered with the password and logged.
class StartUp : public ::testing::Test {
protected:
    long Run(const char* program, const ByteVector& package, bool withMarker = true,
             const wchar_t* password = L"")
    {
        const std::wstring path = m_folder / L"Project App.exe";
        const ByteVector image = BuildExecutableImage(ProgramBytes(program), package, withMarker);
        EXPECT_TRUE(WriteWholeFile(path, image.data(), static_cast<long>(image.size())));
        SetEnvironmentVariableW(L"KOVA_TEST_PASSWORD", password);
        SetEnvironmentVariableW(L"KOVA_TEST_PROMPT_LOG", (m_folder / L"prompts.txt").c_str());
        return RunChildProcess(path, L"", 60000);
    }
    std::vector<std::string> Prompts() const { return SplitLines(ReadFileText(m_folder / L"prompts.txt")); }

    ScratchFolder m_folder;
};

TEST_F(StartUp, FailsWithMinusOneWithoutAReadablePackage)
{
    ByteVector damaged = PackageBytes(PasswordPackage());
    damaged.resize(damaged.size() / 2);
    EXPECT_EQ(-1, Run(KOVA_RUNTIME_EXE, PackageBytes(PasswordPackage()), false)) << "no marker";
    EXPECT_EQ(-1, Run(KOVA_RUNTIME_EXE, damaged)) << "package cut in half";
    EXPECT_EQ(-1, Run(KOVA_RUNTIME_EXE, {})) << "marker and nothing after it";
}

TEST_F(StartUp, FailsWithMinusOneForAWindowModeWithoutWindow)
{
    PackageContent content = PasswordPackage();
    content.settings.passwordRequired = false;
    content.settings.mode = 1; // embedded, but nothing hands the runtime a host window
    EXPECT_EQ(-1, Run(KOVA_RUNTIME_EXE, PackageBytes(content)));
    content.settings.mode = 3;
    EXPECT_EQ(-1, Run(KOVA_RUNTIME_EXE, PackageBytes(content)));
}

TEST_F(StartUp, WrongPasswordIsReportedAndEndsWithMinusOne)
{
    EXPECT_EQ(-1, Run(KOVA_SCRIPTED_RUNTIME_EXE, PackageBytes(PasswordPackage()), true, L"se<cret>"));
    EXPECT_EQ((std::vector<std::string>{"password asked: Project App",
                                        "Password is incorrect!: Project App"}),
              Prompts());
}

TEST_F(StartUp, RightPasswordOpensTheFormsAndIsNotReported)
{
    FormCloser closer(L"form");
    EXPECT_EQ(0, Run(KOVA_SCRIPTED_RUNTIME_EXE, PackageBytes(PasswordPackage()), true, L"Se<cret>"));
    EXPECT_EQ(std::vector<std::string>{"password asked: Project App"}, Prompts());
}

TEST_F(StartUp, NoPasswordAskedWhenNoneIsRequired)
{
    PackageContent content = PasswordPackage();
    content.settings.passwordRequired = false;
    FormCloser closer(L"form");
    EXPECT_EQ(0, Run(KOVA_SCRIPTED_RUNTIME_EXE, PackageBytes(content), true, L""));
    EXPECT_TRUE(Prompts().empty());
}

TEST_F(StartUp, TrayIconGoesWithTheMainForm)
{
    PackageContent content = PasswordPackage();
    content.settings.passwordRequired = false;
    content.settings.trayIcon = true;
    {
        FormCloser closer(L"form");
        EXPECT_EQ(0, Run(KOVA_SCRIPTED_RUNTIME_EXE, PackageBytes(content))) << "icon without image";
    }
    EXPECT_TRUE(Prompts().empty());

    content.tray.image = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'};
    {
        FormCloser closer(L"form");
        EXPECT_EQ(0, Run(KOVA_SCRIPTED_RUNTIME_EXE, PackageBytes(content))) << "unreadable image";
    }
    EXPECT_EQ(std::vector<std::string>{"Couldn't set the taskbar icon!"}, Prompts());
}

// A 1 x 1 pixel 24-bit BMP file.
ByteVector OnePixelBitmap()
{
    ByteVector bmp = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  // file header
                      40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0}; // info header
    bmp.resize(54, 0);
    bmp[34] = 4; // image size
    bmp.insert(bmp.end(), {0x20, 0x40, 0x80, 0});
    return bmp;
}

TEST_F(StartUp, SplashShowsForItsTimeBeforeTheForms)
{
    PackageContent content = PasswordPackage();
    content.settings.passwordRequired = false;
    content.settings.splash = true;
    content.settings.splashTime = 4000; // well above a start without splash
    content.splash.image = OnePixelBitmap();
    FormCloser closer(L"form");
    const DWORD started = GetTickCount();
    EXPECT_EQ(0, Run(KOVA_SCRIPTED_RUNTIME_EXE, PackageBytes(content)));
    EXPECT_GE(GetTickCount() - started, 4000u);
}

TEST_F(StartUp, SplashImageThatDoesNotDecodeIsSkipped)
{
    PackageContent content = PasswordPackage();
    content.settings.passwordRequired = false;
    content.settings.splash = true;
    content.splash.image = {'n', 'o', 'p', 'e'};
    FormCloser closer(L"form");
    EXPECT_EQ(0, Run(KOVA_SCRIPTED_RUNTIME_EXE, PackageBytes(content)));
}

} // namespace
