#include "callfloor.h"

#include "base64.h"
#include "samplefile.h"

#include <json-c/json.h>

#include <cstring>
#include <vector>

namespace {

// Keeps the results alive, so that the compiler cannot drop the work.
volatile size_t g_sink = 0;

} // namespace

double CallFloorNs(const std::string& callText, int calls)
{
    const std::string encoded = Base64Encode(reinterpret_cast<const unsigned char*>(callText.data()), callText.size());
    size_t produced = 0;
    const int64_t start = SteadyNowNs();
    for (int call = 0; call < calls; ++call) {
        const std::vector<unsigned char> decoded = Base64Decode(encoded);
        json_object* value = json_tokener_parse(std::string(decoded.begin(), decoded.end()).c_str());
        const char* reply = json_object_to_json_string_ext(value, JSON_C_TO_STRING_PLAIN);
        produced += Base64Encode(reinterpret_cast<const unsigned char*>(reply), std::strlen(reply)).size();
        json_object_put(value);
    }
    const double perCall = double(SteadyNowNs() - start) / calls;
    g_sink = g_sink + produced;
    return perCall;
}
