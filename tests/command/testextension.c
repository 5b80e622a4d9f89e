/* An extension library for the tests, built in three variants:
 *   EXT_ALPHA   five exports; rows "nxa.Ext.alpha", "nxa.Test.echo" (replacing
 *               the built-in row), "nxa.Ext.shared", and two indexes that give
 *               no name or no row
 *   EXT_BETA    five exports; row "nxa.Ext.shared"
 *   EXT_LONELY  only "Shutdown" is exported (see its .def file)
 * Every library appends "<variant> <event>" lines to the file named by the
 * environment variable KOVA_EXT_LOG. */
#include <windows.h>

#include <stdio.h>
#include <string.h>

#if defined(EXT_ALPHA)
#define EXT_NAME "alpha"
#elif defined(EXT_BETA)
#define EXT_NAME "beta"
#else
#define EXT_NAME "lonely"
#endif

typedef struct HostTable {
    wchar_t* (*HostUtf8ToWide)(const char* utf8);
    char* (*HostWideToUtf8)(const wchar_t* wide);
    void (*HostFree)(void* memory);
} HostTable;

typedef struct CallInfo {
    int formId, callerId, isAsync, reserved[5];
} CallInfo;

typedef const char* (*Invoker)(void* handler, CallInfo* call, int argc, void** argv);

typedef struct CommandRow {
    const char* name;
    void* handler;
    Invoker invoker;
} CommandRow;

static void Log(const char* event)
{
    char path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("KOVA_EXT_LOG", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    FILE* file = fopen(path, "a");
    if (!file)
        return;
    fprintf(file, "%s %s\n", EXT_NAME, event);
    fclose(file);
}

/* The handler word is this library's own: here the text of the answer. */
static const char* Invoke(void* handler, CallInfo* call, int argc, void** argv)
{
    static char result[256];
    (void)argv;
    snprintf(result, sizeof result,
             "{ \"answer\": %s, \"argc\": %d, \"formId\": %d, \"callerId\": %d, \"isAsync\": %d }",
             (const char*)handler, argc, call->formId, call->callerId, call->isAsync);
    return result;
}

#if defined(EXT_ALPHA)
static const CommandRow g_rows[] = {
    {"nxa.Ext.alpha", "\"alpha\"", Invoke},
    {"nxa.Test.echo", "\"alpha echo\"", Invoke},
    {"nxa.Ext.shared", "\"alpha\"", Invoke},
    {NULL, "\"nameless\"", Invoke},
    {"nxa.Ext.noRow", NULL, NULL},
};
#else
static const CommandRow g_rows[] = {
    {"nxa.Ext.shared", "\"beta\"", Invoke},
};
#endif
#define ROW_COUNT ((int)(sizeof g_rows / sizeof g_rows[0]))

/* Converts a text there and back with the host's functions. */
static int HostTableWorks(const HostTable* host)
{
    const char utf8[] = "\xC3\xA9/x";
    wchar_t* wide = host->HostUtf8ToWide(utf8);
    char* back = wide ? host->HostWideToUtf8(wide) : NULL;
    const int works = wide && wide[0] == 0xE9 && wide[1] == L'/' && wide[2] == L'x' && wide[3] == 0 && back &&
                      strcmp(back, utf8) == 0 && !host->HostUtf8ToWide(NULL) && !host->HostWideToUtf8(NULL);
    host->HostFree(wide);
    host->HostFree(back);
    return works;
}

void Initialise(const HostTable* host)
{
    Log(HostTableWorks(host) ? "init" : "init with a broken host table");
}

void Shutdown(void)
{
    Log("shutdown");
}

int GetNumCommands(void)
{
    return ROW_COUNT;
}

const char* GetCommandName(int index)
{
    return index >= 0 && index < ROW_COUNT ? g_rows[index].name : NULL;
}

const CommandRow* GetCommand(int index)
{
    if (index < 0 || index >= ROW_COUNT || !g_rows[index].handler)
        return NULL;
    return &g_rows[index];
}
