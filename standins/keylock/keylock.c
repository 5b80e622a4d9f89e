/* The stand-in key-lock library: the 32 exports the runtime resolves, each of
 * which appends one line "name(arg,arg,...)" to the file named by the
 * environment variable KOVA_KEYLOCK_LOG (no file, no log). It locks nothing;
 * it only remembers whether the login screen is "installed", so that the
 * runtime's install and uninstall conditions can be seen at work. */

#include <windows.h>

#include <stdint.h>

#define KEYLOCK_API __stdcall

static LONG g_loginScreenInstalled = 0;

/* Appends the decimal digits of value to text at *length. */
static void AppendNumber(char* text, size_t* length, uint64_t value)
{
    char digits[24];
    size_t count = 0;
    do {
        digits[count++] = (char)('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (count > 0)
        text[(*length)++] = digits[--count];
}

/* Writes "name(a,b,...)\r\n" for argumentCount values to the log file. */
static void LogCall(const char* name, size_t argumentCount, const uint64_t* arguments)
{
    wchar_t logPath[MAX_PATH + 1];
    char line[512];
    size_t length = 0;
    size_t index;
    DWORD pathLength = GetEnvironmentVariableW(L"KOVA_KEYLOCK_LOG", logPath, MAX_PATH + 1);
    HANDLE file;
    DWORD written = 0;

    if (pathLength == 0 || pathLength > MAX_PATH)
        return;
    while (*name && length < 64)
        line[length++] = *name++;
    line[length++] = '(';
    for (index = 0; index < argumentCount; ++index) {
        if (index > 0)
            line[length++] = ',';
        AppendNumber(line, &length, arguments[index]);
    }
    line[length++] = ')';
    line[length++] = '\r';
    line[length++] = '\n';

    file = CreateFileW(logPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    WriteFile(file, line, (DWORD)length, &written, NULL);
    CloseHandle(file);
}

#define LOG0(name) LogCall(name, 0, NULL)
#define LOG1(name, a)                                                                                        \
    do {                                                                                                     \
        const uint64_t values[] = {(uint64_t)(a)};                                                           \
        LogCall(name, 1, values);                                                                            \
    } while (0)
#define LOG2(name, a, b)                                                                                     \
    do {                                                                                                     \
        const uint64_t values[] = {(uint64_t)(a), (uint64_t)(b)};                                            \
        LogCall(name, 2, values);                                                                            \
    } while (0)
#define LOG3(name, a, b, c)                                                                                  \
    do {                                                                                                     \
        const uint64_t values[] = {(uint64_t)(a), (uint64_t)(b), (uint64_t)(c)};                             \
        LogCall(name, 3, values);                                                                            \
    } while (0)
#define LOG4(name, a, b, c, d)                                                                               \
    do {                                                                                                     \
        const uint64_t values[] = {(uint64_t)(a), (uint64_t)(b), (uint64_t)(c), (uint64_t)(d)};              \
        LogCall(name, 4, values);                                                                            \
    } while (0)

DWORD KEYLOCK_API wlVersion(void)
{
    LOG0("wlVersion");
    return 0x0300;
}

BOOL KEYLOCK_API wlDisableKey(HWND window, UINT keyCode, UINT modifierCode, BOOL disable)
{
    LOG4("wlDisableKey", (uintptr_t)window, keyCode, modifierCode, disable);
    return TRUE;
}

BOOL KEYLOCK_API wlIsKeyDisabled(UINT keyCode, UINT modifierCode)
{
    LOG2("wlIsKeyDisabled", keyCode, modifierCode);
    return FALSE;
}

BOOL KEYLOCK_API wlGetDisabledKey(UINT index, UINT* keyCode, UINT* modifierCode)
{
    LOG3("wlGetDisabledKey", index, (uintptr_t)keyCode, (uintptr_t)modifierCode);
    return FALSE;
}

BOOL KEYLOCK_API wlSetKeySendMessage(HWND window, UINT message)
{
    LOG2("wlSetKeySendMessage", (uintptr_t)window, message);
    return TRUE;
}

BOOL KEYLOCK_API wlSetKeyPostMessage(HWND window, UINT message)
{
    LOG2("wlSetKeyPostMessage", (uintptr_t)window, message);
    return TRUE;
}

BOOL KEYLOCK_API wlSetKeyCallback(void* callback)
{
    LOG1("wlSetKeyCallback", (uintptr_t)callback);
    return TRUE;
}

BOOL KEYLOCK_API wlRestoreAll(void)
{
    LOG0("wlRestoreAll");
    return TRUE;
}

#ifndef KEYLOCK_WITHOUT_DISABLE_ITEM
BOOL KEYLOCK_API wlDisableItem(UINT itemCode, BOOL disable)
{
    LOG2("wlDisableItem", itemCode, disable);
    return TRUE;
}
#endif

BOOL KEYLOCK_API wlIsItemDisabled(UINT itemCode)
{
    LOG1("wlIsItemDisabled", itemCode);
    return FALSE;
}

HWND KEYLOCK_API wlGetItemHandle(UINT itemCode)
{
    LOG1("wlGetItemHandle", itemCode);
    return NULL;
}

BOOL KEYLOCK_API wlInstallDwl(UINT code)
{
    LOG1("wlInstallDwl", code);
    InterlockedExchange(&g_loginScreenInstalled, 1);
    return TRUE;
}

BOOL KEYLOCK_API wlUninstallDwl(UINT code)
{
    LOG1("wlUninstallDwl", code);
    InterlockedExchange(&g_loginScreenInstalled, 0);
    return TRUE;
}

BOOL KEYLOCK_API wlIsDwlInstalled(void)
{
    LOG0("wlIsDwlInstalled");
    return InterlockedCompareExchange(&g_loginScreenInstalled, 0, 0) != 0;
}

BOOL KEYLOCK_API wlIsNTSystem(void)
{
    LOG0("wlIsNTSystem");
    return TRUE;
}

BOOL KEYLOCK_API wlNeedDwlInstall(void)
{
    LOG0("wlNeedDwlInstall");
    return FALSE;
}

BOOL KEYLOCK_API wlExitWindows(UINT flags)
{
    LOG1("wlExitWindows", flags);
    return FALSE;
}

DWORD KEYLOCK_API wlWinVersion(void)
{
    LOG0("wlWinVersion");
    return GetVersion();
}

BOOL KEYLOCK_API wlGetKeyState(UINT keyCode)
{
    LOG1("wlGetKeyState", keyCode);
    return FALSE;
}

BOOL KEYLOCK_API wlSetKeyState(UINT keyCode, BOOL on)
{
    LOG2("wlSetKeyState", keyCode, on);
    return TRUE;
}

BOOL KEYLOCK_API wlIsAdmin(void)
{
    LOG0("wlIsAdmin");
    return FALSE;
}

BOOL KEYLOCK_API wlEnableAutologin(const char* user, const char* domain, const char* password)
{
    LOG3("wlEnableAutologin", (uintptr_t)user, (uintptr_t)domain, (uintptr_t)password);
    return FALSE;
}

BOOL KEYLOCK_API wlMapScancode(UINT fromScancode, UINT toScancode)
{
    LOG2("wlMapScancode", fromScancode, toScancode);
    return FALSE;
}

BOOL KEYLOCK_API wlDisableDesktopIcon(UINT index, BOOL disable)
{
    LOG2("wlDisableDesktopIcon", index, disable);
    return TRUE;
}

UINT KEYLOCK_API wlDesktopIconCount(void)
{
    LOG0("wlDesktopIconCount");
    return 0;
}

BOOL KEYLOCK_API wlRestoreDesktopIcons(void)
{
    LOG0("wlRestoreDesktopIcons");
    return TRUE;
}

BOOL KEYLOCK_API wlExit(void)
{
    LOG0("wlExit");
    return TRUE;
}

BOOL KEYLOCK_API wlSetStartMenu(BOOL enable)
{
    LOG1("wlSetStartMenu", enable);
    return TRUE;
}

BOOL KEYLOCK_API wlReplaceKey(UINT fromKey, UINT fromModifier, UINT toKey, UINT toModifier)
{
    LOG4("wlReplaceKey", fromKey, fromModifier, toKey, toModifier);
    return TRUE;
}

UINT KEYLOCK_API wlGetDisabledMessage(UINT index)
{
    LOG1("wlGetDisabledMessage", index);
    return 0;
}

BOOL KEYLOCK_API wlIsMessageDisabled(UINT message)
{
    LOG1("wlIsMessageDisabled", message);
    return FALSE;
}

BOOL KEYLOCK_API wlDisableMessage(UINT message, BOOL disable)
{
    LOG2("wlDisableMessage", message, disable);
    return TRUE;
}
