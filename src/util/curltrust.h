#pragma once

#include <curl/curl.h>

// The one TLS trust set-up of every libcurl transfer: peers and host names are
// verified against the Windows root store and, when the file exists, the
// certificates of "cacert.pem" beside the executable. True when libcurl took
// every option; a transfer that gets false does not run.
bool SetTrustedCertificates(CURL* curl);
