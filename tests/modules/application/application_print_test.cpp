// Printing a movie's text: the print request, the "no printer" road, the
// lines and the page layout (drawn into a metafile device context).
#include "commandcalls.h"
#include "messagepumping.h"
#include "nxaapplication.h"
#include "scopedcommandcentre.h"
#include "textprinter.h"
#include "windowedform.h"

#include <gtest/gtest.h>

#include <cderr.h>
#include <winspool.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

// What the print request asked for, as the dialog runner saw it.
struct SeenRequest {
    DWORD structSize = 0;
    DWORD flags = 0;
    WORD copies = 0;
    HWND owner = nullptr;
    HINSTANCE instance = nullptr;
    HDC dcOnEntry = nullptr;
    DWORD thread = 0;
};

// Puts a dialog runner in place for one test and takes it away again.
class ScopedDialogRunner {
public:
    explicit ScopedDialogRunner(PrintDialogRunner runner) { SetPrintDialogRunner(std::move(runner)); }
    ~ScopedDialogRunner() { SetPrintDialogRunner(nullptr); }
};

// A runner that records the request and answers `answer`, handing back the
// given device context and two handles of its own, as the real dialog does.
PrintDialogRunner RecordingRunner(std::vector<SeenRequest>& seen, BOOL answer, HDC deviceContext,
                                  std::vector<HGLOBAL>* handedOut = nullptr)
{
    return [&seen, answer, deviceContext, handedOut](PRINTDLGW* request) {
        seen.push_back({request->lStructSize, request->Flags, request->nCopies, request->hwndOwner,
                        request->hInstance, request->hDC, GetCurrentThreadId()});
        request->hDC = deviceContext;
        if (handedOut) {
            request->hDevMode = GlobalAlloc(GMEM_MOVEABLE, 64);
            request->hDevNames = GlobalAlloc(GMEM_MOVEABLE, 64);
            handedOut->push_back(request->hDevMode);
            handedOut->push_back(request->hDevNames);
        }
        return answer;
    };
}

TEST(PrintLinesTest, LineBreaksOfAnyKindEndALineAndBlankLinesVanish)
{
    struct Case {
        const wchar_t* text;
        std::vector<wxString> lines;
    };
    const Case cases[] = {
        {L"one\r\ntwo\r\nthree", {L"one", L"two", L"three"}},
        {L"one\ntwo\nthree\n", {L"one", L"two", L"three"}},
        {L"one\rtwo\rthree", {L"one", L"two", L"three"}},
        {L"\r\n\none\n\n\r\r\ntwo", {L"one", L"two"}},
        {L"  spaced  \tline ", {L"  spaced  \tline "}},
        {L"", {}},
        {L"\r\n", {}},
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(wxString(entry.text).utf8_str().data());
        EXPECT_EQ(entry.lines, SplitPrintLines(entry.text));
    }
}

// The records of an enhanced metafile that show the layout.
struct PageRecords {
    POINT viewportOrigin = {-1, -1};
    bool fixedFontSelected = false;
    std::vector<POINT> textPositions;
    std::vector<std::wstring> texts;
};

int CALLBACK CollectRecord(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data)
{
    auto* page = reinterpret_cast<PageRecords*>(data);
    switch (record->iType) {
    case EMR_SETVIEWPORTORGEX:
    {
        const POINTL origin = reinterpret_cast<const EMRSETVIEWPORTORGEX*>(record)->ptlOrigin;
        page->viewportOrigin = {origin.x, origin.y};
        break;
    }
    case EMR_SELECTOBJECT:
        if (reinterpret_cast<const EMRSELECTOBJECT*>(record)->ihObject == (ENHMETA_STOCK_OBJECT | ANSI_FIXED_FONT))
            page->fixedFontSelected = true;
        break;
    case EMR_EXTTEXTOUTW: {
        const auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
        page->textPositions.push_back({text->emrtext.ptlReference.x, text->emrtext.ptlReference.y});
        const auto* characters =
            reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(record) + text->emrtext.offString);
        page->texts.emplace_back(characters, text->emrtext.nChars);
        break;
    }
    default:
        break;
    }
    return 1;
}

PageRecords DrawIntoMetafile(const std::vector<wxString>& lines)
{
    HDC metafileDc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    DrawTextPage(metafileDc, lines);
    HENHMETAFILE metafile = CloseEnhMetaFile(metafileDc);
    PageRecords page;
    EnumEnhMetaFile(nullptr, metafile, CollectRecord, &page, nullptr);
    DeleteEnhMetaFile(metafile);
    return page;
}

int FixedFontLineHeight()
{
    HDC screen = GetDC(nullptr);
    SelectObject(screen, GetStockObject(ANSI_FIXED_FONT));
    TEXTMETRICW metrics = {};
    GetTextMetricsW(screen, &metrics);
    ReleaseDC(nullptr, screen);
    return metrics.tmHeight;
}

TEST(PrintLayoutTest, LinesStandOneFontHeightApartFromTheOrigin)
{
    const std::vector<wxString> lines = SplitPrintLines(L"first\r\n\r\nsecond\nthird line, the longest");
    const PageRecords page = DrawIntoMetafile(lines);
    const int height = FixedFontLineHeight();
    ASSERT_GT(height, 0);

    EXPECT_EQ(80, page.viewportOrigin.x);
    EXPECT_EQ(100, page.viewportOrigin.y);
    EXPECT_TRUE(page.fixedFontSelected);
    EXPECT_EQ((std::vector<std::wstring>{L"first", L"second", L"third line, the longest"}), page.texts);
    ASSERT_EQ(3u, page.textPositions.size());
    for (size_t index = 0; index < page.textPositions.size(); ++index) {
        EXPECT_EQ(2, page.textPositions[index].x);
        EXPECT_EQ(height * static_cast<int>(index + 1), page.textPositions[index].y);
    }
}

TEST(PrintLayoutTest, EmptyTextDrawsNothing)
{
    const PageRecords page = DrawIntoMetafile(SplitPrintLines(L""));
    EXPECT_TRUE(page.texts.empty());
    EXPECT_EQ(80, page.viewportOrigin.x);
}

TEST(PrintTextTest, RequestAsksForTheDefaultPrinterOrTheDialog)
{
    auto form = std::make_unique<WindowedForm>(2);
    std::vector<SeenRequest> seen;
    ScopedDialogRunner runner(RecordingRunner(seen, FALSE, nullptr));
    PrintText(2, L"text", false);
    PrintText(2, L"text", true);
    PrintText(6, L"text", true); // no form 6: no owner

    ASSERT_EQ(3u, seen.size());
    EXPECT_EQ(DWORD(PD_RETURNDC | PD_RETURNDEFAULT), seen[0].flags);
    EXPECT_EQ(0x500u, seen[0].flags);
    EXPECT_EQ(0x100u, seen[1].flags);
    for (const SeenRequest& request : seen) {
        EXPECT_EQ(sizeof(PRINTDLGW), request.structSize);
        EXPECT_EQ(1, request.copies);
        EXPECT_EQ(GetModuleHandleW(nullptr), request.instance);
        EXPECT_EQ(nullptr, request.dcOnEntry);
    }
    EXPECT_EQ(form->GetHWND(), seen[0].owner);
    EXPECT_EQ(form->GetHWND(), seen[1].owner);
    EXPECT_EQ(nullptr, seen[2].owner);
}

TEST(PrintTextTest, DialogHandlesAndDeviceContextAreFreed)
{
    std::vector<SeenRequest> seen;
    std::vector<HGLOBAL> handles;
    // A memory context takes no document: the print stops there, and the
    // context is deleted all the same.
    HDC memoryDc = CreateCompatibleDC(nullptr);
    {
        ScopedDialogRunner runner(RecordingRunner(seen, TRUE, memoryDc, &handles));
        PrintText(0, L"line", false);
    }
    EXPECT_EQ(0u, GetObjectType(memoryDc));
    {
        // A cancelled dialog that still handed back its settings.
        ScopedDialogRunner runner(RecordingRunner(seen, FALSE, nullptr, &handles));
        PrintText(0, L"line", true);
    }
    ASSERT_EQ(4u, handles.size());
    for (HGLOBAL handle : handles)
        EXPECT_EQ(UINT(GMEM_INVALID_HANDLE), GlobalFlags(handle));
}

TEST(PrintTextTest, CallFromAnotherThreadPrintsOnTheMainThread)
{
    std::vector<SeenRequest> seen;
    ScopedDialogRunner runner(RecordingRunner(seen, FALSE, nullptr));
    std::atomic<bool> done(false);
    std::thread caller([&] {
        PrintText(0, L"from the worker", false);
        done = true;
    });
    EXPECT_TRUE(PumpMessagesUntil([&] { return done.load(); }));
    caller.join();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ(GetCurrentThreadId(), seen[0].thread);
}

TEST(PrintTextTest, WithoutAPrinterNothingHappens)
{
    wchar_t printerName[256];
    DWORD nameLength = 256;
    if (GetDefaultPrinterW(printerName, &nameLength))
        GTEST_SKIP() << "this machine has a default printer";
    // The real request for the default printer fails without showing anything.
    PrintText(0, L"nowhere to go", false);
    EXPECT_EQ(DWORD(PDERR_NODEFAULTPRN), CommDlgExtendedError());
}

TEST(PrintVarTest, CommandPrintsForAKnownApplicationOnly)
{
    ScopedCommandCentre centre({&nxaApplication::Frame::Descriptor()});
    ASSERT_TRUE(centre.Initialised());
    std::vector<SeenRequest> seen;
    ScopedDialogRunner runner(RecordingRunner(seen, FALSE, nullptr));
    const std::string id = CallCommandSync("nxa.Application.create");

    EXPECT_EQ("0", CallCommandSync("nxa.Application.printVar", id + ", \"text\", false"));
    EXPECT_EQ("0", CallCommandSync("nxa.Application.printVar", id + ", \"text\", true"));
    EXPECT_EQ("0", CallCommandSync("nxa.Application.printVar", id + ", \"text\""));
    EXPECT_EQ("0", CallCommandSync("nxa.Application.printVar", "9999, \"text\", false"));
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ(0x500u, seen[0].flags);
    EXPECT_EQ(0x100u, seen[1].flags);

    CallCommandAsync("nxa.Application.printVar", id + ", \"text\", false");
    EXPECT_TRUE(PumpMessagesUntil([&] { return seen.size() == 3; }));
    EXPECT_EQ(GetCurrentThreadId(), seen.back().thread);
}

} // namespace
