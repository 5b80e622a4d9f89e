// bench_curl SAMPLES URL REPS
// The reference for URL streams: the URL downloaded with libcurl alone, its
// bytes counted and dropped, with the receive buffer the runtime's URL
// streams use.

#include "samplefile.h"
#include "urlreceivebuffer.h"

#include <curl/curl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

size_t CountBytes(char*, size_t size, size_t count, void* total)
{
    *static_cast<size_t*>(total) += size * count;
    return size * count;
}

// Megabytes per second of one download, or -1.
double Fetch(const std::string& url)
{
    CURL* handle = curl_easy_init();
    if (!handle)
        return -1;
    size_t total = 0;
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, CountBytes);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &total);
    curl_easy_setopt(handle, CURLOPT_BUFFERSIZE, kUrlReceiveBufferBytes);
    const int64_t start = SteadyNowNs();
    const CURLcode result = curl_easy_perform(handle);
    const double seconds = double(SteadyNowNs() - start) / 1e9;
    long status = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_cleanup(handle);
    if (result != CURLE_OK || status != 200) {
        std::fprintf(stderr, "%s: %s, status %ld\n", url.c_str(), curl_easy_strerror(result), status);
        return -1;
    }
    return double(total) / 1e6 / seconds;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: bench_curl SAMPLES URL REPS\n");
        return 2;
    }
    SampleFile samples(argv[1]);
    const std::string url = argv[2];
    const int reps = std::atoi(argv[3]);
    if (!samples.IsOpen() || reps <= 0 || curl_global_init(CURL_GLOBAL_ALL) != CURLE_OK)
        return 2;
    int result = 0;
    for (int rep = 0; rep < reps && result == 0; ++rep) {
        const double rate = Fetch(url + (url.find('?') == std::string::npos ? "?" : "&") + "ref=" + std::to_string(rep));
        if (rate < 0)
            result = 1;
        else
            samples.Add("url_ref_mbps", rate);
    }
    curl_global_cleanup();
    return result;
}
