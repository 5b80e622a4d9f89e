#pragma once

// libcurl's global state, set up once for the whole process by the FTP
// module's initialisation; the plug-in host's URL streams and the HTTP and
// FTP transfers rely on it. Main thread only.
class CurlGlobal {
public:
    // Initialises libcurl with all features unless that was done already.
    static void Initialise();
    // Cleans libcurl up when Initialise did set it up, and forgets that it
    // did. Call after every transfer thread has ended.
    static void Cleanup();
    static bool IsInitialised();

private:
    static bool s_initialised;
};
