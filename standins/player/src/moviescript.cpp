#include "moviescript.h"

namespace standin {

namespace {

std::string Trim(const std::string& text)
{
    const char* blanks = " \t\r\n";
    size_t start = text.find_first_not_of(blanks);
    if (start == std::string::npos)
        return std::string();
    size_t end = text.find_last_not_of(blanks);
    return text.substr(start, end - start + 1);
}

} // namespace

void SplitFirstWord(const std::string& text, std::string& first, std::string& rest)
{
    std::string trimmed = Trim(text);
    size_t blank = trimmed.find_first_of(" \t");
    if (blank == std::string::npos) {
        first = trimmed;
        rest.clear();
        return;
    }
    first = trimmed.substr(0, blank);
    rest = Trim(trimmed.substr(blank));
}

std::vector<ScriptStep> ParseMovieScript(const std::string& text)
{
    std::vector<ScriptStep> steps;
    size_t start = 0;
    for (int line = 1; start <= text.size(); ++line) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        // Blank and comment lines are skipped before any copy: a movie may
        // carry a long comment.
        const size_t first = text.find_first_not_of(" \t\r", start);
        const size_t lineStart = start;
        start = end + 1;
        if (first >= end || text[first] == '#')
            continue;
        std::string content = Trim(text.substr(lineStart, end - lineStart));
        ScriptStep step;
        step.line = line;
        SplitFirstWord(content, step.word, step.operand);
        steps.push_back(step);
    }
    return steps;
}

} // namespace standin
