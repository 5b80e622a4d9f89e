#include "openfiledialog.h"

#include "chosenpaths.h"

#include <wx/arrstr.h>
#include <wx/filedlg.h>
#include <wx/filefn.h>

#include <commdlg.h>
#include <cderr.h>

#include <algorithm>

namespace {

// Room for a few hundred chosen names; a larger choice grows the buffer.
const size_t kFirstBufferChars = 32768;
// A choice that still does not fit after this many tries is given up.
const int kMaxTries = 4;

const wchar_t* TextOrNull(const std::wstring& text)
{
    return text.empty() ? nullptr : text.c_str();
}

void CentreOnScreen(HWND dialog)
{
    RECT window = {};
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    if (!::GetWindowRect(dialog, &window) ||
        !::GetMonitorInfoW(::MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    const RECT& area = monitor.rcWork;
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    const int left = area.left + (area.right - area.left - width) / 2;
    const int top = area.top + (area.bottom - area.top - height) / 2;
    ::SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The size the dialog asked for when the buffer was too small: the first two
// bytes of the buffer hold it, in characters.
size_t AskedBufferChars(const std::vector<wchar_t>& buffer)
{
    return static_cast<size_t>(*reinterpret_cast<const WORD*>(buffer.data()));
}

// The filter list without a last name that has no pattern ("Text|*.txt|All"):
// the toolkit's parser treats one as a programming error and would stop the
// program with an assertion box.
wxString WithoutDanglingName(const wxString& filterList)
{
    if (!filterList.Contains("|") || filterList.Freq(L'|') % 2 != 0)
        return filterList;
    return filterList.BeforeLast(L'|');
}

} // namespace

OpenFileDialog::OpenFileDialog(const OpenFileSettings& settings)
    : m_settings(settings), m_buttonText(settings.buttonText.ToStdWstring())
{
}

std::wstring OpenFileDialog::FilterText(const wxString& filterList)
{
    wxArrayString descriptions;
    wxArrayString patterns;
    wxParseCommonDialogsFilter(filterList.empty() ? wxString("All files (*.*)|*.*") : WithoutDanglingName(filterList),
                               descriptions, patterns);
    std::wstring text;
    for (size_t index = 0; index < descriptions.size() && index < patterns.size(); ++index) {
        text += descriptions[index].ToStdWstring();
        text.push_back(L'\0');
        text += patterns[index].ToStdWstring();
        text.push_back(L'\0');
    }
    text.push_back(L'\0');
    return text;
}

std::vector<wxString> OpenFileDialog::Show()
{
    const std::wstring filter = FilterText(m_settings.filterList);
    const std::wstring folder = m_settings.defaultDirectory.ToStdWstring();
    const std::wstring title = m_settings.title.ToStdWstring();
    const std::wstring fileName = m_settings.defaultFilename.ToStdWstring();
    std::vector<wchar_t> buffer(std::max(kFirstBufferChars, fileName.size() + 1), L'\0');

    for (int attempt = 0; attempt < kMaxTries; ++attempt) {
        std::copy(fileName.begin(), fileName.end(), buffer.begin());
        OPENFILENAMEW request = {};
        request.lStructSize = sizeof(request);
        request.lpstrFilter = filter.c_str();
        request.nFilterIndex = 1;
        request.lpstrFile = buffer.data();
        request.nMaxFile = static_cast<DWORD>(buffer.size());
        request.lpstrInitialDir = TextOrNull(folder);
        request.lpstrTitle = TextOrNull(title);
        request.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                        (m_settings.allowMultiple ? OFN_ALLOWMULTISELECT : 0);
        request.lpfnHook = Hook;
        request.lCustData = reinterpret_cast<LPARAM>(this);
        if (::GetOpenFileNameW(&request))
            return PathsFromOpenSelection(buffer.data(), buffer.size());
        if (::CommDlgExtendedError() != FNERR_BUFFERTOOSMALL)
            return {};
        const size_t asked = AskedBufferChars(buffer);
        buffer.assign(std::max(asked + 1, buffer.size() * 2), L'\0');
    }
    return {};
}

UINT_PTR CALLBACK OpenFileDialog::Hook(HWND page, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        const auto* request = reinterpret_cast<const OPENFILENAMEW*>(lParam);
        ::SetWindowLongPtrW(page, GWLP_USERDATA, request->lCustData);
        return 0;
    }
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_INITDONE) {
        const auto* self = reinterpret_cast<const OpenFileDialog*>(::GetWindowLongPtrW(page, GWLP_USERDATA));
        if (self)
            OnInitDone(::GetParent(page), self->m_buttonText);
    }
    return 0;
}

void OpenFileDialog::OnInitDone(HWND dialog, const std::wstring& buttonText)
{
    if (buttonText.empty())
        return;
    ::SendMessageW(dialog, CDM_SETCONTROLTEXT, IDOK, reinterpret_cast<LPARAM>(buttonText.c_str()));
    CentreOnScreen(dialog);
}
