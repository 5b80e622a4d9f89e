// A library for the in-memory loader tests. Its entry point appends each
// reason code it is called with to the environment variable
// KOVA_PROBE_REASONS, which outlives the library's image, and refuses the
// process attach when KOVA_PROBE_REFUSE is set.
#include <windows.h>

#include <cstring>
#include <stdexcept>
#include <string>

namespace {

int g_value = 42;
int* g_pointer = &g_value; // an absolute address: needs a base relocation
char g_zeros[8192];        // uninitialised data

struct Initialised {
    Initialised() : value(7) {}
    int value;
};
Initialised g_initialised; // set by the runtime's start-up code

void LogReason(DWORD reason)
{
    char log[64] = "";
    GetEnvironmentVariableA("KOVA_PROBE_REASONS", log, sizeof log);
    const std::size_t length = std::strlen(log);
    if (length + 1 < sizeof log) {
        log[length] = static_cast<char>('0' + reason);
        log[length + 1] = 0;
    }
    SetEnvironmentVariableA("KOVA_PROBE_REASONS", log);
}

__attribute__((noinline)) int Fail(int code)
{
    if (code != 0)
        throw std::runtime_error("probe failure " + std::to_string(code));
    return 0;
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    LogReason(reason);
    if (reason == DLL_PROCESS_ATTACH && GetEnvironmentVariableA("KOVA_PROBE_REFUSE", nullptr, 0) != 0)
        return FALSE;
    return TRUE;
}

extern "C" int ProbeAdd(int a, int b)
{
    return a + b;
}

extern "C" int ProbeRelocatedPointerOk()
{
    return g_pointer == &g_value && *g_pointer == 42;
}

extern "C" int ProbeZerosAreZero()
{
    for (char c : g_zeros) {
        if (c != 0)
            return 0;
    }
    return 1;
}

extern "C" int ProbeStaticInitialised()
{
    return g_initialised.value == 7;
}

extern "C" const char* ProbeText()
{
    return "probe";
}

// Throws through two frames of the library and catches inside it.
extern "C" int ProbeCatchesException(int code)
{
    try {
        Fail(code);
    } catch (const std::exception& error) {
        return error.what() == "probe failure " + std::to_string(code) ? 1 : 0;
    }
    return 0;
}
