#include "clipboardtext.h"

#include <windows.h>

#include <cstring>
#include <cwchar>

namespace {

// Opens the clipboard for the work and closes it again; false when it could
// not be opened.
template <class Work>
bool WithOpenClipboard(Work&& work)
{
    if (!::OpenClipboard(nullptr))
        return false;
    work();
    ::CloseClipboard();
    return true;
}

// A movable block of room for the whole text and a terminator, holding the
// text up to and with its first NUL; null when there is no memory.
HGLOBAL CopyToGlobalBlock(const std::wstring& text)
{
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!block)
        return nullptr;
    void* memory = ::GlobalLock(block);
    if (!memory) {
        ::GlobalFree(block);
        return nullptr;
    }
    std::memcpy(memory, text.c_str(), (std::wcslen(text.c_str()) + 1) * sizeof(wchar_t));
    ::GlobalUnlock(block);
    return block;
}

} // namespace

bool ClearClipboard()
{
    return WithOpenClipboard([] { ::EmptyClipboard(); });
}

bool PutTextOnClipboard(const std::wstring& text)
{
    return WithOpenClipboard([&] {
        ::EmptyClipboard();
        HGLOBAL block = CopyToGlobalBlock(text);
        // Once set, the block belongs to the clipboard.
        if (block && !::SetClipboardData(CF_UNICODETEXT, block))
            ::GlobalFree(block);
    });
}
