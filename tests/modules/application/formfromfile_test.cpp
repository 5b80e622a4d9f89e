#include "applicationtestsupport.h"
#include "cpackageform.h"
#include "formcreation.h"
#include "scratchfolder.h"
#include "standinform.h"
#include "wholefile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// An uncompressed movie: version 9, file length 15, an empty frame rectangle,
// 24 frames a second, one frame, the end tag.
const std::string kMovie = {'F', 'W', 'S', 9, 15, 0, 0, 0, 0, 0, 24, 1, 0, 0, 0};

bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    return WriteWholeFile(path, reinterpret_cast<const unsigned char*>(bytes.data()),
                          static_cast<long>(bytes.size()));
}

TEST(FormFromFile, StyleNamesAreExact)
{
    const struct {
        const char* name;
        bool known;
        int32_t windowType, frameKind;
    } cases[] = {
        {"standard", true, 0, 0}, {"sizeablestandard", true, 0, 1}, {"tool", true, 0, 2},
        {"sizeabletool", true, 0, 3}, {"dialog", true, 0, 4}, {"noborder", true, 0, 5},
        {"transparent", true, 3, 0}, {"Tool", false, 0, 0}, {"", false, 0, 0}, {"tool ", false, 0, 0},
    };
    for (const auto& c : cases) {
        int32_t windowType = -1, frameKind = -1;
        EXPECT_EQ(c.known, FormStyleByName(c.name, windowType, frameKind)) << c.name;
        if (c.known)
            EXPECT_EQ(c.windowType * 10 + c.frameKind, windowType * 10 + frameKind) << c.name;
    }
}

TEST(FormFromFile, MovieFilesAreCheckedByExtensionAndHeader)
{
    ScratchFolder folder;
    ASSERT_TRUE(WriteBytes(folder / L"movie.swf", kMovie));
    ASSERT_TRUE(WriteBytes(folder / L"MOVIE2.SWF", kMovie));
    ASSERT_TRUE(WriteBytes(folder / L"movie.txt", kMovie));
    ASSERT_TRUE(WriteBytes(folder / L"broken.swf", "FWS\x09"));
    EXPECT_TRUE(IsFormMovieFile(folder / L"movie.swf"));
    EXPECT_TRUE(IsFormMovieFile(folder / L"MOVIE2.SWF"));
    EXPECT_FALSE(IsFormMovieFile(folder / L"movie.txt"));
    EXPECT_FALSE(IsFormMovieFile(folder / L"broken.swf"));
    EXPECT_FALSE(IsFormMovieFile(folder / L"absent.swf"));
}

TEST(FormFromFile, RuntimeDefinitionCarriesTheSettingsAndTheMovie)
{
    ScratchFolder folder;
    ASSERT_TRUE(WriteBytes(folder / L"movie.swf", kMovie));
    const FormSettings settings = RuntimeFormSettings(L"extra \u00e9", 0, 3, -20, 30, 400, 300);
    const auto definition = MakeRuntimeDefinition(settings, folder / L"movie.swf");
    ASSERT_TRUE(definition);
    const FormSettings& read = definition->Settings();
    EXPECT_EQ(L"extra \u00e9", read.name);
    EXPECT_EQ(-20, read.x);
    EXPECT_EQ(30, read.y);
    EXPECT_EQ(400, read.width);
    EXPECT_EQ(300, read.height);
    EXPECT_EQ(0, read.sizeUnit);
    EXPECT_EQ(0, read.positionUnit);
    EXPECT_EQ(3, read.frameKind);
    EXPECT_FALSE(read.centre || read.noCaption || read.keepAspect || read.stayOnTop || read.escapeCloses);
    EXPECT_TRUE(read.maximizeBox && read.minimizeBox && read.closeBox && read.scale && read.visible
                && read.altF4Allowed);
    EXPECT_EQ(255, read.fadeTarget);
    int32_t length = 0;
    std::unique_ptr<unsigned char[]> bytes;
    ASSERT_TRUE(definition->GetMovie(length, bytes));
    EXPECT_EQ(kMovie, std::string(reinterpret_cast<char*>(bytes.get()), length));
    EXPECT_FALSE(MakeRuntimeDefinition(settings, folder / L"absent.swf"));
}

TEST(FormFromFile, RefusesBeforeMakingAWindow)
{
    ApplicationModuleScope scope;
    ASSERT_TRUE(scope.Ready());
    ScratchFolder folder;
    ASSERT_TRUE(WriteBytes(folder / L"movie.swf", kMovie));
    StandInForm existing(0, "taken");
    EXPECT_FALSE(CreateFormFromFile(folder / L"movie.swf", "standard", "taken", 0, 0, 100, 100));
    EXPECT_FALSE(CreateFormFromFile(folder / L"movie.swf", "Standard", "new", 0, 0, 100, 100));
    EXPECT_FALSE(CreateFormFromFile(folder / L"absent.swf", "standard", "new", 0, 0, 100, 100));
}

} // namespace
