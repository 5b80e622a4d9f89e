#include "shellshortcut.h"

#include <windows.h>

#include <objidl.h>
#include <shlobj.h>

namespace {

// The link's fields in the shell's order; their answers are not examined,
// since the save reports what matters.
void FillLink(IShellLinkW& link, const ShortcutSpec& spec)
{
    link.SetPath(spec.target.c_str());
    link.SetDescription(spec.description.c_str());
    link.SetIconLocation(spec.iconPath.c_str(), spec.iconIndex);
    link.SetArguments(L"");
    link.SetWorkingDirectory(spec.workingFolder.c_str());
}

bool SaveLink(IShellLinkW& link, const std::wstring& shortcutPath)
{
    IPersistFile* file = nullptr;
    if (FAILED(link.QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))))
        return false;
    const bool saved = SUCCEEDED(file->Save(shortcutPath.c_str(), TRUE));
    file->Release();
    return saved;
}

} // namespace

bool SaveShellShortcut(const ShortcutSpec& spec, const std::wstring& shortcutPath)
{
    IShellLinkW* link = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&link))))
        return false;
    FillLink(*link, spec);
    const bool saved = SaveLink(*link, shortcutPath);
    link->Release();
    return saved;
}
