// File-type associations read from the registry of the run's throwaway Wine
// prefix: each test registers its own types under HKLM\Software\Classes
// (what HKEY_CLASSES_ROOT shows) and removes them at the end.
#include "commandcalls.h"
#include "fileassociation.h"
#include "filesystemtesting.h"
#include "nxafilesystem.h"
#include "scopedcommandcentre.h"
#include "scratchfolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

const wchar_t kClasses[] = L"Software\\Classes\\";

// Registry keys under HKLM\Software\Classes, removed with the object.
class RegisteredClasses {
public:
    RegisteredClasses() = default;
    RegisteredClasses(const RegisteredClasses&) = delete;
    RegisteredClasses& operator=(const RegisteredClasses&) = delete;
    ~RegisteredClasses()
    {
        for (const std::wstring& key : m_keys)
            ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, (kClasses + key).c_str());
    }

    // Sets the key's default value; the key's top name is removed at the end.
    bool SetDefault(const std::wstring& key, DWORD type, const void* data, DWORD size)
    {
        m_keys.push_back(key.substr(0, key.find(L'\\')));
        HKEY handle = nullptr;
        if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, (kClasses + key).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                              &handle, nullptr) != ERROR_SUCCESS)
            return false;
        const bool set = ::RegSetValueExW(handle, nullptr, 0, type, static_cast<const BYTE*>(data), size) ==
                         ERROR_SUCCESS;
        ::RegCloseKey(handle);
        return set;
    }

    bool SetText(const std::wstring& key, const std::wstring& text, DWORD type = REG_SZ)
    {
        return SetDefault(key, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }

    // The extension's class and that class's open command.
    bool Register(const std::wstring& extension, const std::wstring& className, const std::wstring& command)
    {
        return SetText(extension, className) && SetText(className + L"\\shell\\open\\command", command);
    }

private:
    std::vector<std::wstring> m_keys;
};

const wchar_t kViewer[] = L"C:\\Program Files\\Kova Viewer\\VIEWER.Exe";

TEST(FileAssociation, ExtensionDottedExtensionAndExistingFileFindTheProgram)
{
    RegisteredClasses classes;
    ASSERT_TRUE(classes.Register(L".kovatest", L"Kova.TestFile", std::wstring(L"\"") + kViewer + L"\" \"%1\""));
    ScratchFolder folder;
    ASSERT_TRUE(WriteBytes(folder / L"a.kovatest", "x"));
    ScopedCommandCentre centre{{&nxaFileSystem::Frame::Descriptor()}};
    const std::string id = CreateObject("nxa.FileSystem.create");

    const std::wstring arguments[] = {L"kovatest", L".kovatest", folder / L"a.kovatest"};
    for (const std::wstring& argument : arguments) {
        SCOPED_TRACE(JsonText(argument));
        EXPECT_EQ(JsonText(kViewer), CallCommandSync("nxa.FileSystem.getAssociation", id + ", " + JsonText(argument)));
    }
    // A missing file is taken as an extension.
    EXPECT_EQ("\"\"", CallCommandSync("nxa.FileSystem.getAssociation", id + ", " + JsonText(folder / L"b.kovatest")));
    EXPECT_EQ("\"\"", CallCommandSync("nxa.FileSystem.getAssociation", id + ", \"\""));
}

TEST(FileAssociation, EveryMissingStepGivesEmptyText)
{
    RegisteredClasses classes;
    const DWORD number = 7;
    ASSERT_TRUE(classes.Register(L".kovanoexe", L"Kova.NoExe", L"viewer.com \"%1\""));
    ASSERT_TRUE(classes.SetText(L".kovanoclass", L""));
    ASSERT_TRUE(classes.SetText(L".kovanocommand", L"Kova.NoCommand"));
    ASSERT_TRUE(classes.SetText(L"Kova.NoCommand\\shell\\edit\\command", L"edit.exe"));
    ASSERT_TRUE(classes.SetDefault(L".kovanumber", REG_DWORD, &number, sizeof number));
    ASSERT_TRUE(classes.SetText(L".kovaexpand", L"Kova.Expand"));
    ASSERT_TRUE(classes.SetText(L"Kova.Expand\\shell\\open\\command", L"%SystemRoot%\\kova.EXE %1", REG_EXPAND_SZ));

    const struct {
        const wchar_t* extension;
        std::wstring program;
    } cases[] = {
        {L".kovanoexe", L""},
        {L".kovanoclass", L""},
        {L".kovanocommand", L""},
        {L".kovanumber", L""},
        {L".kovaunregistered", L""},
        {L".kovaexpand", L"%SystemRoot%\\kova.EXE"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(JsonText(c.extension));
        EXPECT_EQ(c.program, FindAssociatedProgram(c.extension));
    }
}

TEST(FileAssociation, LongCommandsAreReadWhole)
{
    RegisteredClasses classes;
    const std::wstring program = L"C:\\" + std::wstring(270, L'k') + L"\\Viewer.exe";
    ASSERT_TRUE(classes.Register(L".kovalong", L"Kova.LongFile", L"\"" + program + L"\" \"%1\""));
    // A stored text without its terminator is read whole as well.
    const std::wstring bare = L"C:\\bare\\viewer.exe";
    ASSERT_TRUE(classes.SetText(L".kovabare", L"Kova.Bare"));
    ASSERT_TRUE(classes.SetDefault(L"Kova.Bare\\shell\\open\\command", REG_SZ, bare.c_str(),
                                   static_cast<DWORD>(bare.size() * sizeof(wchar_t))));

    EXPECT_EQ(program, FindAssociatedProgram(L"kovalong"));
    EXPECT_EQ(bare, FindAssociatedProgram(L"kovabare"));
}

TEST(FileAssociation, KeyNamesAndProgramPaths)
{
    EXPECT_EQ(L".txt", AssociationKeyName(L"txt", false));
    EXPECT_EQ(L".txt", AssociationKeyName(L".txt", false));
    EXPECT_EQ(L".txt", AssociationKeyName(L"C:\\a.b\\c.d.txt", true));
    EXPECT_EQ(L".", AssociationKeyName(L"C:\\a.b\\noext", true));

    EXPECT_EQ(L"C:\\x\\A.EXE", ProgramFromOpenCommand(L"\"C:\\x\\A.EXE\" \"%1\""));
    EXPECT_EQ(L"C:\\x\\a.exe", ProgramFromOpenCommand(L"C:\\x\\a.exe /open %1"));
    EXPECT_EQ(L"C:\\x.exe", ProgramFromOpenCommand(L"C:\\x.exe.d\\a.exe"));
    EXPECT_EQ(L"", ProgramFromOpenCommand(L"rundll32 shell32.dll"));
    EXPECT_EQ(L"", ProgramFromOpenCommand(L""));
}

} // namespace
