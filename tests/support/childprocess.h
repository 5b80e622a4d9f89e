#pragma once

#include <string>

// Windows path of a file of the build tree (Wine maps the host's root to Z:).
std::wstring BuildTreePath(const char* hostPath);

// Runs a program with a command line and waits for it. Returns its exit code,
// or -2 when it could not start or did not end within the timeout (it is then
// killed).
long RunChildProcess(const std::wstring& program, const std::wstring& arguments, unsigned timeoutMs);
