// Shell shortcuts written through the row, by both roads, and read back
// through the shell's link object.
#include "commandcalls.h"
#include "eventcapture.h"
#include "filesystemtesting.h"
#include "nxafilesystem.h"
#include "scopedcommandcentre.h"
#include "scratchfolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <objidl.h>
#include <shlobj.h>

#include <string>

namespace {

struct LinkFields {
    bool loaded = false;
    std::wstring target;
    std::wstring workingFolder;
    std::wstring description;
    std::wstring iconPath;
    int iconIndex = -1;
};

LinkFields ReadLink(const std::wstring& path)
{
    LinkFields fields;
    IShellLinkW* link = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&link))))
        return fields;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        if (SUCCEEDED(file->Load(path.c_str(), STGM_READ))) {
            wchar_t text[MAX_PATH] = {};
            fields.loaded = true;
            if (SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH)))
                fields.target = text;
            if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH)))
                fields.workingFolder = text;
            if (SUCCEEDED(link->GetDescription(text, MAX_PATH)))
                fields.description = text;
            if (SUCCEEDED(link->GetIconLocation(text, MAX_PATH, &fields.iconIndex)))
                fields.iconPath = text;
        }
        file->Release();
    }
    link->Release();
    return fields;
}

class ShortcutRow : public testing::Test {
protected:
    ShortcutRow()
    {
        WriteBytes(m_folder / L"target.exe", "MZ");
        ::CreateDirectoryW((m_folder / L"work").c_str(), nullptr);
    }

    // The arguments after the id: target, working folder, description, icon
    // path, icon index, shortcut path.
    std::string Arguments(const std::wstring& workingFolder, const std::wstring& description,
                          const std::wstring& iconPath, int iconIndex, const std::wstring& shortcut) const
    {
        return m_id + ", " + JsonText(m_folder / L"target.exe") + ", " + JsonText(workingFolder) + ", " +
               JsonText(description) + ", " + JsonText(iconPath) + ", " + std::to_string(iconIndex) + ", " +
               JsonText(shortcut);
    }

    void ExpectFullLink(const std::wstring& shortcut)
    {
        const LinkFields fields = ReadLink(shortcut);
        ASSERT_TRUE(fields.loaded);
        EXPECT_EQ(m_folder / L"target.exe", fields.target);
        EXPECT_EQ(m_folder / L"work", fields.workingFolder);
        EXPECT_EQ(L"A Kova shortcut", fields.description);
        EXPECT_EQ(m_folder / L"target.exe", fields.iconPath);
        EXPECT_EQ(2, fields.iconIndex);
    }

    ScopedCommandCentre m_centre{{&nxaFileSystem::Frame::Descriptor()}};
    ScratchFolder m_folder;
    std::string m_id = CreateObject("nxa.FileSystem.create");
};

TEST_F(ShortcutRow, WritesTheLinkAtThePathAsGiven)
{
    const std::wstring shortcut = m_folder / L"Kova Link";
    EXPECT_EQ("true", CallCommandSync("nxa.FileSystem.createShortcut",
                                      Arguments(m_folder / L"work", L"A Kova shortcut", m_folder / L"target.exe", 2,
                                                shortcut)));
    EXPECT_TRUE(FileIsMissing(shortcut + L".lnk"));
    ExpectFullLink(shortcut);
}

TEST_F(ShortcutRow, EmptyFieldsAndMissingTargetsStillGiveALink)
{
    const std::wstring shortcut = m_folder / L"bare.lnk";
    EXPECT_EQ("true", CallCommandSync("nxa.FileSystem.createShortcut",
                                      m_id + ", " + JsonText(m_folder / L"missing.exe") + ", \"\", \"\", \"\", 0, " +
                                          JsonText(shortcut)));
    const LinkFields fields = ReadLink(shortcut);
    ASSERT_TRUE(fields.loaded);
    EXPECT_EQ(m_folder / L"missing.exe", fields.target);
    EXPECT_EQ(L"", fields.description);

    EXPECT_EQ("false", CallCommandSync("nxa.FileSystem.createShortcut",
                                       Arguments(L"", L"", L"", 0, m_folder / L"no-folder\\a.lnk")));
}

TEST_F(ShortcutRow, QueuedCallWritesTheLinkWithoutEvents)
{
    const std::wstring shortcut = m_folder / L"queued.lnk";
    EventCapture capture;
    CallCommandAsync("nxa.FileSystem.createShortcut",
                     Arguments(m_folder / L"work", L"A Kova shortcut", m_folder / L"target.exe", 2, shortcut));
    // A queued row after it that reports: when its event comes, the shortcut
    // row has run.
    CallCommandAsync("nxa.FileSystem.appendFile", m_id + ", " + JsonText(m_folder / L"marker.txt") + ", \"x\"");
    ASSERT_TRUE(capture.WaitFor(1));
    ExpectFullLink(shortcut);
    ASSERT_EQ(1u, capture.Events().size());
    EXPECT_EQ(L"onComplete", capture.Events()[0].eventName);
}

} // namespace
