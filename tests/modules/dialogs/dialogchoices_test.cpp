// The module's plain working parts: message box words, chosen paths and the
// open dialog's filter text.
#include "chosenpaths.h"
#include "messageboxchoice.h"
#include "openfiledialog.h"

#include <gtest/gtest.h>

#include <wx/defs.h>

#include <optional>
#include <string>
#include <vector>

namespace {

TEST(MessageBoxChoice, PromptAdvWordsChooseTheIconOfAnOkCancelBox)
{
    const struct {
        const char* word;
        long style; // 0: no box
    } cases[] = {
        {"alert", 0x114}, {"info", 0x814}, {"confirm", 0x414}, {"error", 0x214},
        {"Alert", 0},     {"warn", 0},     {"", 0},            {"info ", 0},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.word);
        const auto request = PromptAdvRequest("message", entry.word);
        ASSERT_EQ(entry.style != 0, request.has_value());
        if (!request)
            continue;
        EXPECT_EQ(entry.style, request->style);
        EXPECT_EQ("message", request->message);
        EXPECT_EQ("", request->caption);
        EXPECT_EQ("", request->yesLabel);
    }
}

TEST(MessageBoxChoice, PromptModalTypesChooseTheButtonsAndStylesTheIcon)
{
    const struct {
        const char* type;
        const char* style;
        long expected; // 0: no box
        const char* yes;
        const char* no;
    } cases[] = {
        {"yesno", "alert", 0x10A, "", ""},
        {"okcancel", "info", 0x814, "", ""},
        {"abortignore", "error", 0x20A, "Abort", "Ignore"},
        {"yesno", "confirm", 0x40A, "", ""},
        {"YesNo", "alert", 0, "", ""},
        {"retrycancel", "alert", 0, "", ""},
        {"yesno", "warn", 0, "", ""},
        {"okcancel", "", 0, "", ""},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(std::string(entry.type) + "/" + entry.style);
        const auto request = PromptModalRequest("message", entry.type, entry.style);
        ASSERT_EQ(entry.expected != 0, request.has_value());
        if (!request)
            continue;
        EXPECT_EQ(entry.expected, request->style);
        EXPECT_EQ(entry.yes, request->yesLabel);
        EXPECT_EQ(entry.no, request->noLabel);
    }
}

TEST(MessageBoxChoice, OkAndYesConsentEverythingElseRefuses)
{
    EXPECT_TRUE(IsConsent(wxID_OK));
    EXPECT_TRUE(IsConsent(wxID_YES));
    const int refusals[] = {wxID_CANCEL, wxID_NO, 0, -1, 1, 6};
    for (int answer : refusals)
        EXPECT_FALSE(IsConsent(answer)) << answer;
}

TEST(ChosenPaths, EveryPathEndsWithOneBackslash)
{
    const struct {
        const wchar_t* path;
        const wchar_t* answered;
    } cases[] = {
        {L"", L""},
        {L"C:\\", L"C:\\"},
        {L"C:\\dir", L"C:\\dir\\"},
        {L"C:\\dir\\", L"C:\\dir\\"},
        {L"C:\\dir\\a.txt", L"C:\\dir\\a.txt\\"},
        {L"\\\\server\\share", L"\\\\server\\share\\"},
    };
    for (const auto& entry : cases)
        EXPECT_EQ(wxString(entry.answered), WithFinalBackslash(entry.path)) << wxString(entry.path);
}

TEST(ChosenPaths, OpenSelectionsBecomeFullPaths)
{
    const struct {
        std::wstring buffer; // what the dialog left, NULs included
        std::vector<wxString> paths;
    } cases[] = {
        {std::wstring(L"C:\\dir\\a.txt\0\0", 14), {L"C:\\dir\\a.txt"}},
        {std::wstring(L"C:\\dir\0a.txt\0b c.txt\0\0", 22), {L"C:\\dir\\a.txt", L"C:\\dir\\b c.txt"}},
        {std::wstring(L"C:\\\0a.txt\0b.txt\0\0", 17), {L"C:\\a.txt", L"C:\\b.txt"}},
        {std::wstring(L"\0\0", 2), {}},
        {std::wstring(), {}},
        // A buffer without its final NULs ends at its size.
        {std::wstring(L"C:\\dir\0a.txt"), {L"C:\\dir"}},
        {std::wstring(L"C:\\dir\0a.txt", 12), {L"C:\\dir\\a.txt"}},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(wxString(entry.buffer.c_str()));
        EXPECT_EQ(entry.paths, PathsFromOpenSelection(entry.buffer.data(), entry.buffer.size()));
    }
}

TEST(OpenFileDialogFilter, FilterListsBecomeNamePatternPairs)
{
    const struct {
        const wchar_t* filterList;
        std::wstring text;
    } cases[] = {
        {L"Text|*.txt|All|*.*", std::wstring(L"Text\0*.txt\0All\0*.*\0\0", 20)},
        {L"*.txt", std::wstring(L"Files (*.txt)\0*.txt\0\0", 21)},
        // A name without a pattern is left out (the toolkit would assert).
        {L"Text|*.txt|All", std::wstring(L"Text\0*.txt\0\0", 12)},
        {L"Text|*.txt|All|*.*|", std::wstring(L"Text\0*.txt\0All\0*.*\0\0", 20)},
        {L"", std::wstring(L"All files (*.*)\0*.*\0\0", 21)},
        {L"Pictures|*.png;*.jpg", std::wstring(L"Pictures\0*.png;*.jpg\0\0", 22)},
    };
    for (const auto& entry : cases)
        EXPECT_EQ(entry.text, OpenFileDialog::FilterText(entry.filterList)) << wxString(entry.filterList);
}

} // namespace
