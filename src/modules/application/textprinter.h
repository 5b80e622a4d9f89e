#pragma once

#include <wx/msw/wrapwin.h>
#include <wx/string.h>

#include <commdlg.h>

#include <cstdint>
#include <functional>
#include <vector>

// Prints a movie's text: one page in the stock fixed-pitch font, one printed
// line per line of the text, after the system print dialog or straight to
// the default printer.

// Runs on the main thread whichever thread calls it. The dialog's owner is
// the window of the form registered under ownerFormId (none when there is no
// such form). Asks for a printer device context with the print dialog
// (showDialog) or for the default printer without one, prints the text on one
// page and deletes the context. Nothing happens when the dialog is cancelled
// or there is no printer.
void PrintText(int32_t ownerFormId, const wxString& text, bool showDialog);

// The printed lines: a run of CR and LF characters of any length ends a line,
// so blank lines are not printed.
std::vector<wxString> SplitPrintLines(const wxString& text);

// Draws the page on the device context: viewport origin (80, 100) device
// pixels, line n (from 1) at x 2, y n x line height of the stock fixed font,
// in MM_TEXT. Lines below the page are cut, long lines are not wrapped.
void DrawTextPage(HDC dc, const std::vector<wxString>& lines);

// Test seam: runs instead of PrintDlgW with the prepared request and answers
// what PrintDlgW would. An empty function restores the real dialog.
using PrintDialogRunner = std::function<BOOL(PRINTDLGW* request)>;
void SetPrintDialogRunner(PrintDialogRunner runner);
