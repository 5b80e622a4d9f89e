#pragma once

#include <string>

// The port of one of a test server's listeners, as the server wrote it into
// "<server>\ports.txt" in the working directory (kova_use_test_servers):
// TestServerPort("urlserver", "https"). 0 when the server is not running.
int TestServerPort(const std::string& server, const std::string& listener);
