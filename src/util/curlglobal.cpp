#include "curlglobal.h"

#include <curl/curl.h>

bool CurlGlobal::s_initialised = false;

void CurlGlobal::Initialise()
{
    if (s_initialised)
        return;
    curl_global_init(CURL_GLOBAL_ALL);
    s_initialised = true;
}

void CurlGlobal::Cleanup()
{
    if (!s_initialised)
        return;
    curl_global_cleanup();
    s_initialised = false;
}

bool CurlGlobal::IsInitialised()
{
    return s_initialised;
}
