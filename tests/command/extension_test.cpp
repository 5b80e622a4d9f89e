#include "childprocess.h"
#include "commandcalls.h"
#include "commandcentre.h"
#include "scopedcommandcentre.h"
#include "scratchfolder.h"
#include "testmodule.h"
#include "wholefile.h"

#include <gtest/gtest.h>

#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/utils.h>

namespace {

std::unique_ptr<ExtensionImage> ImageOf(const std::string& bytes)
{
    std::unique_ptr<unsigned char[]> copy(new unsigned char[bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), copy.get());
    return std::make_unique<ExtensionImage>(std::move(copy), static_cast<int32_t>(bytes.size()));
}

std::unique_ptr<ExtensionImage> ImageOfLibrary(const char* hostPath)
{
    std::unique_ptr<unsigned char[]> bytes;
    long length = 0;
    EXPECT_TRUE(ReadWholeFile(BuildTreePath(hostPath), bytes, length)) << hostPath;
    EXPECT_TRUE(ExtensionImage::IsLibraryImage(bytes.get(), length)) << hostPath;
    return std::make_unique<ExtensionImage>(std::move(bytes), static_cast<int32_t>(length));
}

// Points the temporary folder and the libraries' log at a scratch folder.
class ScopedEnvironment {
public:
    ScopedEnvironment(const wxString& name, const wxString& value) : m_name(name)
    {
        m_hadValue = wxGetEnv(name, &m_oldValue);
        wxSetEnv(name, value);
    }
    ~ScopedEnvironment()
    {
        if (m_hadValue)
            wxSetEnv(m_name, m_oldValue);
        else
            wxUnsetEnv(m_name);
    }

private:
    wxString m_name, m_oldValue;
    bool m_hadValue;
};

std::vector<wxString> FilesIn(const std::wstring& folder)
{
    wxArrayString found;
    wxDir::GetAllFiles(folder, &found, wxEmptyString, wxDIR_FILES);
    found.Sort();
    return std::vector<wxString>(found.begin(), found.end());
}

TEST(ExtensionImage, OnlyFilesOfMoreThanOneByteStartingWithMzAreLibraries)
{
    const unsigned char mz[] = {'M', 'Z'}, zm[] = {'Z', 'M'};
    EXPECT_TRUE(ExtensionImage::IsLibraryImage(mz, 2));
    EXPECT_FALSE(ExtensionImage::IsLibraryImage(mz, 1));
    EXPECT_FALSE(ExtensionImage::IsLibraryImage(zm, 2));
    EXPECT_FALSE(ExtensionImage::IsLibraryImage(nullptr, 2));
}

TEST(ExtensionImage, RowsFollowTheBuiltInsAndAreGoneWithTheirFilesAtShutdown)
{
    ScratchFolder temp, logs;
    const ScopedEnvironment tmpdir("TMPDIR", temp.Path()), tmp("TMP", temp.Path()), log("KOVA_EXT_LOG", logs / L"ext.log");

    std::vector<std::unique_ptr<ExtensionImage>> images;
    images.push_back(ImageOfLibrary(KOVA_TEST_EXT_ALPHA));
    images.push_back(ImageOfLibrary(KOVA_TEST_EXT_BETA));
    images.push_back(ImageOfLibrary(KOVA_TEST_EXT_LONELY));
    images.push_back(ImageOf("MZ but not a library"));
    {
        ScopedCommandCentre centre({&TestModule()}, std::move(images));
        ASSERT_TRUE(centre.Initialised());

        // Each loaded image sits in a new file of its own, named by the
        // system; the image that did not load left no file behind.
        const auto files = FilesIn(temp.Path());
        ASSERT_EQ(3u, files.size());
        for (const wxString& file : files)
            EXPECT_TRUE(wxFileName(file).GetFullName().StartsWith("nxe")) << file;

        EXPECT_EQ("{ \"answer\": \"alpha\", \"argc\": 2, \"formId\": 3, \"callerId\": 4, \"isAsync\": 0 }",
                  CallCommandSync("nxa.Ext.alpha", "1, [2]", 3, 4));
        // An extension row replaces the built-in row of the same name ...
        EXPECT_EQ("{ \"answer\": \"alpha echo\", \"argc\": 0, \"formId\": 0, \"callerId\": 0, \"isAsync\": 0 }",
                  CallCommandSync("nxa.Test.echo"));
        // ... and a later extension an earlier one.
        EXPECT_EQ("{ \"answer\": \"beta\", \"argc\": 0, \"formId\": 0, \"callerId\": 0, \"isAsync\": 0 }",
                  CallCommandSync("nxa.Ext.shared"));
        // Indexes without a name or a row publish nothing.
        EXPECT_FALSE(CommandCentre::Get().HasCommand("nxa.Ext.noRow"));
        EXPECT_EQ(static_cast<size_t>(TestModule().rowCount) + 2, CommandCentre::Get().CommandCount());
    }
    EXPECT_TRUE(FilesIn(temp.Path()).empty());

    wxString lines;
    ASSERT_TRUE(wxFFile(logs / L"ext.log").ReadAll(&lines));
    // The library without the other exports is never initialised but is shut down.
    EXPECT_EQ("alpha init\nbeta init\nalpha shutdown\nbeta shutdown\nlonely shutdown\n", lines);
}

} // namespace
