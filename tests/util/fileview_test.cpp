#include "fileview.h"

#include "scratchfolder.h"
#include "wholefile.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(FileView, ShowsTheWholeFileAndNothingForAMissingOrEmptyFile)
{
    ScratchFolder folder;
    // More than one page, and a size that is not a whole number of them.
    std::vector<unsigned char> data(3 * 4096 + 17);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<unsigned char>(i * 31 + (i >> 9));
    const std::wstring path = folder / L"view \u00E9.bin";
    ASSERT_TRUE(WriteWholeFile(path, data.data(), static_cast<long>(data.size())));

    const std::shared_ptr<const FileView> view = FileView::Open(path);
    ASSERT_NE(nullptr, view);
    ASSERT_EQ(data.size(), view->Size());
    EXPECT_EQ(data, std::vector<unsigned char>(view->Data(), view->Data() + view->Size()));

    const std::wstring empty = folder / L"empty";
    ASSERT_TRUE(WriteWholeFile(empty, nullptr, 0));
    EXPECT_EQ(nullptr, FileView::Open(empty));
    EXPECT_EQ(nullptr, FileView::Open(folder / L"missing"));
}

} // namespace
