#include "machineregistry.h"

#include <wx/msw/wrapwin.h>

#include <cwchar>
#include <vector>

namespace {

// A value that grows between two reads is read again at its new size, a
// few times at most.
const int kReadAttempts = 4;

// An open key of HKEY_LOCAL_MACHINE, closed when it goes.
class MachineKey {
public:
    explicit MachineKey(const wxString& path)
    {
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.wc_str(), 0, KEY_READ, &m_key) != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~MachineKey()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    MachineKey(const MachineKey&) = delete;
    MachineKey& operator=(const MachineKey&) = delete;

    HKEY Handle() const { return m_key; }

    // The value's type and size without its data; false when it is missing.
    bool Describe(const wxString& name, DWORD& type, DWORD& size) const
    {
        type = REG_NONE;
        size = 0;
        return m_key && RegQueryValueExW(m_key, name.wc_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
    }

private:
    HKEY m_key = nullptr;
};

} // namespace

wxString ReadMachineText(const wxString& keyPath, const wxString& valueName)
{
    const MachineKey key(keyPath);
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (!key.Describe(valueName, type, size) || type == REG_NONE)
        return wxString();
    // Whole wide characters, with room for a NUL the stored bytes may lack.
    std::vector<wchar_t> text;
    LONG status = ERROR_MORE_DATA;
    for (int attempt = 0; status == ERROR_MORE_DATA && attempt < kReadAttempts; ++attempt) {
        text.assign(size / sizeof(wchar_t) + 2, L'\0');
        size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        status = RegQueryValueExW(key.Handle(), valueName.wc_str(), nullptr, nullptr,
                                  reinterpret_cast<BYTE*>(text.data()), &size);
    }
    if (status != ERROR_SUCCESS)
        return wxString();
    return wxString(text.data(), wcsnlen(text.data(), size / sizeof(wchar_t)));
}

uint32_t ReadMachineNumber(const wxString& keyPath, const wxString& valueName)
{
    const MachineKey key(keyPath);
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (!key.Describe(valueName, type, size) || type == REG_NONE)
        return 0;
    DWORD number = 0;
    size = sizeof(number);
    if (RegQueryValueExW(key.Handle(), valueName.wc_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&number),
                         &size) != ERROR_SUCCESS)
        return 0;
    return number;
}
