#include "keylocklibrary.h"

#include "binresource.h"

#include <wx/msw/wrapwin.h>

#include <array>

namespace {

// Resource "BIN" id of the library inside the program.
constexpr std::uint16_t kKeyLockResourceId = 102;

// Every export, resolved in this order; the positions of the called ones follow.
constexpr std::array<const char*, 32> kExportNames = {
    "wlVersion", "wlDisableKey", "wlIsKeyDisabled", "wlGetDisabledKey", "wlSetKeySendMessage",
    "wlSetKeyPostMessage", "wlSetKeyCallback", "wlRestoreAll", "wlDisableItem", "wlIsItemDisabled",
    "wlGetItemHandle", "wlInstallDwl", "wlUninstallDwl", "wlIsDwlInstalled", "wlIsNTSystem",
    "wlNeedDwlInstall", "wlExitWindows", "wlWinVersion", "wlGetKeyState", "wlSetKeyState", "wlIsAdmin",
    "wlEnableAutologin", "wlMapScancode", "wlDisableDesktopIcon", "wlDesktopIconCount",
    "wlRestoreDesktopIcons", "wlExit", "wlSetStartMenu", "wlReplaceKey", "wlGetDisabledMessage",
    "wlIsMessageDisabled", "wlDisableMessage"};
constexpr size_t kDisableKey = 1;
constexpr size_t kDisableItem = 8;
constexpr size_t kInstallDwl = 11;
constexpr size_t kUninstallDwl = 12;
constexpr size_t kIsDwlInstalled = 13;
constexpr size_t kExit = 26;

constexpr bool SameName(const char* left, const char* right)
{
    return *left == *right && (*left == '\0' || SameName(left + 1, right + 1));
}
static_assert(SameName(kExportNames[kDisableKey], "wlDisableKey") &&
                  SameName(kExportNames[kDisableItem], "wlDisableItem") &&
                  SameName(kExportNames[kInstallDwl], "wlInstallDwl") &&
                  SameName(kExportNames[kUninstallDwl], "wlUninstallDwl") &&
                  SameName(kExportNames[kIsDwlInstalled], "wlIsDwlInstalled") &&
                  SameName(kExportNames[kExit], "wlExit"),
              "the called exports sit at their positions");

// The codes the login-screen calls pass.
constexpr UINT kInstallLoginScreenCode = 25;
constexpr UINT kUninstallLoginScreenCode = 26;

using DisableKeyFunction = BOOL(WINAPI*)(HWND window, UINT keyCode, UINT modifierCode, BOOL disable);
using DisableItemFunction = BOOL(WINAPI*)(UINT itemCode, BOOL disable);
using DwlCodeFunction = BOOL(WINAPI*)(UINT code);
using NoArgumentFunction = BOOL(WINAPI*)();

} // namespace

struct KeyLockLibrary::Exports {
    std::array<void*, kExportNames.size()> addresses{};

    template <class Function>
    Function Get(size_t index) const
    {
        return reinterpret_cast<Function>(addresses[index]);
    }
};

KeyLockLibrary& KeyLockLibrary::Get()
{
    static KeyLockLibrary library;
    return library;
}

KeyLockLibrary::~KeyLockLibrary() = default;

bool KeyLockLibrary::Load(const uint8_t* image, size_t size)
{
    // A second load (a test initialising the module again) first lets the
    // earlier copy go, so that no temporary file is left behind.
    Unload();
    if (!m_library.Load(image, size, L"nxadll"))
        return false;
    ResolveExports();
    return true;
}

void KeyLockLibrary::ResolveExports()
{
    m_exports = std::make_unique<Exports>();
    for (size_t index = 0; index < kExportNames.size(); ++index)
        m_exports->addresses[index] = m_library.Symbol(kExportNames[index]);
}

void KeyLockLibrary::Unload()
{
    if (m_exports) {
        if (const auto exitLibrary = m_exports->Get<NoArgumentFunction>(kExit))
            exitLibrary();
    }
    m_exports.reset();
    m_library.Unload();
}

bool KeyLockLibrary::IsLoaded() const
{
    return m_library.IsLoaded();
}

void KeyLockLibrary::DisableKey(void* window, int32_t keyCode, int32_t modifierCode, int32_t flag)
{
    if (!m_exports)
        return;
    if (const auto disableKey = m_exports->Get<DisableKeyFunction>(kDisableKey))
        disableKey(static_cast<HWND>(window), keyCode, modifierCode, flag);
}

void KeyLockLibrary::DisableItem(int32_t itemCode, int32_t flag)
{
    if (!m_exports)
        return;
    if (const auto disableItem = m_exports->Get<DisableItemFunction>(kDisableItem))
        disableItem(itemCode, flag);
}

void KeyLockLibrary::InstallLoginScreen()
{
    if (!m_exports)
        return;
    const auto isInstalled = m_exports->Get<NoArgumentFunction>(kIsDwlInstalled);
    const auto install = m_exports->Get<DwlCodeFunction>(kInstallDwl);
    if (isInstalled && install && isInstalled() == 0)
        install(kInstallLoginScreenCode);
}

void KeyLockLibrary::UninstallLoginScreen()
{
    if (!m_exports)
        return;
    const auto isInstalled = m_exports->Get<NoArgumentFunction>(kIsDwlInstalled);
    const auto uninstall = m_exports->Get<DwlCodeFunction>(kUninstallDwl);
    if (isInstalled && uninstall && isInstalled() != 0)
        uninstall(kUninstallLoginScreenCode);
}

bool LoadKeyLockLibrary()
{
    const std::uint8_t* image = nullptr;
    std::uint32_t size = 0;
    if (!LoadBinResource(kKeyLockResourceId, image, size))
        return false;
    return KeyLockLibrary::Get().Load(image, size);
}

void UnloadKeyLockLibrary()
{
    KeyLockLibrary::Get().Unload();
}
