#include "formcloser.h"

#include "textfile.h"
#include "waituntil.h"

#include <windows.h>

#include <algorithm>

FormCloser::FormCloser(const std::wstring& title) : m_title(title), m_thread(&FormCloser::Run, this) {}

FormCloser::FormCloser(const std::wstring& title, const std::wstring& transcript, const std::string& text,
                       size_t count)
    : m_title(title), m_transcript(transcript), m_text(text), m_count(count),
      m_thread(&FormCloser::Run, this)
{
}

FormCloser::~FormCloser()
{
    m_thread.join();
}

bool FormCloser::Ready() const
{
    return m_transcript.empty() || CountLines(ReadFileText(m_transcript), m_text) >= m_count;
}

void FormCloser::Run()
{
    HWND form = nullptr;
    const auto found = [&] {
        form = FindWindowW(nullptr, m_title.c_str());
        return form && Ready();
    };
    if (WaitUntil(found, 40000, nullptr, 100))
        PostMessageW(form, WM_CLOSE, 0, 0);
}

size_t CountLines(const std::string& text, const std::string& part)
{
    const std::vector<std::string> lines = SplitLines(text);
    return std::count_if(lines.begin(), lines.end(),
                         [&](const std::string& line) { return line.find(part) != std::string::npos; });
}
