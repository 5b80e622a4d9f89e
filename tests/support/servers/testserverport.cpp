#include "testserverport.h"

#include <fstream>

int TestServerPort(const std::string& server, const std::string& listener)
{
    std::ifstream file(server + "\\ports.txt");
    const std::string prefix = listener + "=";
    for (std::string line; std::getline(file, line);) {
        if (line.rfind(prefix, 0) == 0)
            return std::stoi(line.substr(prefix.size()));
    }
    return 0;
}
