#pragma once

#include <string>

// The URL of one file on a server: the connection's URL and the remote path
// (both UTF-8). When the URL ends with "/" the path follows it as it is,
// otherwise one "/" goes between; a path that starts with "/" therefore
// names a file from the server's root. In the path, blanks, "#" and "?"
// become %20, %23 and %3F, which libcurl would refuse or cut the URL at;
// every other byte, "%" included, stays as it is.
std::string JoinTransferUrl(const std::string& url, const std::string& remotePath);
