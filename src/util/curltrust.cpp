#include "curltrust.h"

#include "wholefile.h"

#include <windows.h>

#include <memory>
#include <string>

namespace {

const wchar_t kTrustedCertificatesFile[] = L"cacert.pem";

std::wstring ExecutableFolder()
{
    wchar_t path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, path, DWORD(sizeof path / sizeof path[0]));
    std::wstring folder(path, length);
    const size_t slash = folder.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash + 1);
}

} // namespace

bool SetTrustedCertificates(CURL* curl)
{
    if (curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L) != CURLE_OK ||
        curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L) != CURLE_OK ||
        curl_easy_setopt(curl, CURLOPT_SSL_OPTIONS, long(CURLSSLOPT_NATIVE_CA)) != CURLE_OK)
        return false;
    std::unique_ptr<unsigned char[]> bytes;
    long length = 0;
    if (!ReadWholeFile(ExecutableFolder() + kTrustedCertificatesFile, bytes, length) || length <= 0)
        return true;
    curl_blob blob = {bytes.get(), size_t(length), CURL_BLOB_COPY};
    return curl_easy_setopt(curl, CURLOPT_CAINFO_BLOB, &blob) == CURLE_OK;
}
