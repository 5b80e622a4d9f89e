#include "textfile.h"

#include "wholefile.h"

#include <sstream>

std::string ReadFileText(const std::wstring& path)
{
    std::unique_ptr<unsigned char[]> bytes;
    long length = 0;
    if (!ReadWholeFile(path, bytes, length) || length <= 0)
        return std::string();
    return std::string(reinterpret_cast<const char*>(bytes.get()), static_cast<size_t>(length));
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}
