#pragma once

#include <string>
#include <thread>

// Closes a runtime's form from outside, as a user closing it would: a thread
// that waits until the condition holds and a top-level window with the title
// exists, then posts it WM_CLOSE. Gives up after 40 seconds.
class FormCloser {
public:
    // Closes as soon as the window exists.
    explicit FormCloser(const std::wstring& title);
    // Closes once the transcript file holds that many lines with the text.
    FormCloser(const std::wstring& title, const std::wstring& transcript, const std::string& text,
               size_t count);
    ~FormCloser();
    FormCloser(const FormCloser&) = delete;
    FormCloser& operator=(const FormCloser&) = delete;

private:
    void Run();
    bool Ready() const;

    std::wstring m_title;
    std::wstring m_transcript;
    std::string m_text;
    size_t m_count = 0;
    std::thread m_thread;
};

// The number of lines that contain the text.
size_t CountLines(const std::string& text, const std::string& part);
