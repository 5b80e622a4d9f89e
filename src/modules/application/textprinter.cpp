#include "textprinter.h"

#include "formwindowhandle.h"
#include "mainthread.h"

#include <wx/app.h>
#include <wx/tokenzr.h>

#include <mutex>

#if defined(__i386__)
static_assert(sizeof(PRINTDLGW) == 66, "the print dialog request is packed on 32-bit Windows");
static_assert(sizeof(DOCINFOW) == 20, "document information of 32-bit Windows");
#endif

namespace {

// Where the page's text starts, in device pixels from the printable area's corner.
constexpr int kOriginX = 80;
constexpr int kOriginY = 100;
// Each line's x, in logical units from the origin.
constexpr int kLineX = 2;

std::mutex g_runnerLock;
PrintDialogRunner g_dialogRunner;

BOOL RunPrintDialog(PRINTDLGW* request)
{
    PrintDialogRunner runner;
    {
        std::lock_guard<std::mutex> hold(g_runnerLock);
        runner = g_dialogRunner;
    }
    return runner ? runner(request) : PrintDlgW(request);
}

// The handles the dialog hands back besides the device context.
void FreeDialogHandles(PRINTDLGW& request)
{
    if (request.hDevMode)
        GlobalFree(request.hDevMode);
    if (request.hDevNames)
        GlobalFree(request.hDevNames);
    request.hDevMode = nullptr;
    request.hDevNames = nullptr;
}

// One pixel per logical unit and the stock fixed-pitch font; the font's line height.
int SelectFixedFont(HDC dc)
{
    SetMapMode(dc, MM_TEXT);
    SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    return metrics.tmHeight;
}

// One document of one page on the printer's device context.
void PrintDocument(HDC dc, const wxString& text)
{
    // The application name that the toolkit derives from the program's path;
    // it must live until the document has started.
    const wxString documentName = wxTheApp ? wxTheApp->GetAppName() : wxString();
    DOCINFOW document = {};
    document.cbSize = sizeof(document);
    document.lpszDocName = documentName.wc_str();

    SelectFixedFont(dc);
    if (StartDocW(dc, &document) <= 0)
        return;
    StartPage(dc);
    DrawTextPage(dc, SplitPrintLines(text));
    EndPage(dc);
    EndDoc(dc);
}

void PrintOnMainThread(int32_t ownerFormId, const wxString& text, bool showDialog)
{
    PRINTDLGW request = {};
    request.lStructSize = sizeof(request);
    request.hwndOwner = FindFormWindowHandle(ownerFormId);
    request.hInstance = GetModuleHandleW(nullptr);
    request.nCopies = 1;
    request.Flags = showDialog ? PD_RETURNDC : PD_RETURNDC | PD_RETURNDEFAULT;

    const BOOL chosen = RunPrintDialog(&request);
    FreeDialogHandles(request);
    if (!request.hDC)
        return;
    if (chosen)
        PrintDocument(request.hDC, text);
    DeleteDC(request.hDC);
}

} // namespace

void PrintText(int32_t ownerFormId, const wxString& text, bool showDialog)
{
    // The dialog is modal to the form's window, which belongs to the main thread.
    RunOnMainThread([&] { PrintOnMainThread(ownerFormId, text, showDialog); });
}

std::vector<wxString> SplitPrintLines(const wxString& text)
{
    std::vector<wxString> lines;
    wxStringTokenizer tokenizer(text, L"\r\n");
    while (tokenizer.HasMoreTokens())
        lines.push_back(tokenizer.GetNextToken());
    return lines;
}

void DrawTextPage(HDC dc, const std::vector<wxString>& lines)
{
    SetViewportOrgEx(dc, kOriginX, kOriginY, nullptr);
    const int lineHeight = SelectFixedFont(dc);
    int y = lineHeight;
    for (const wxString& line : lines) {
        TextOutW(dc, kLineX, y, line.wc_str(), static_cast<int>(line.length()));
        y += lineHeight;
    }
}

void SetPrintDialogRunner(PrintDialogRunner runner)
{
    std::lock_guard<std::mutex> hold(g_runnerLock);
    g_dialogRunner = std::move(runner);
}
