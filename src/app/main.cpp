#include "kovaapp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show)
{
    return RunKovaApp(instance, commandLine, show);
}
