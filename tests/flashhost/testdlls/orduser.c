// Imports SourceValue from flashhost_ordsource.dll by ordinal.
#include <windows.h>

__declspec(dllimport) int SourceValue(void);

int UserValue(void)
{
    return SourceValue() + 1;
}

DWORD UserTickCount(void)
{
    return GetTickCount();
}
