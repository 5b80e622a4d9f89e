#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

// The measurements of one benchmark program: lines "<key> <value>", one per
// run, appended to a file that scripts/bench.sh reads (it takes the median,
// minimum and maximum of each key).
class SampleFile {
public:
    explicit SampleFile(const std::string& path);
    ~SampleFile();
    SampleFile(const SampleFile&) = delete;
    SampleFile& operator=(const SampleFile&) = delete;

    bool IsOpen() const { return m_file != nullptr; }
    void Add(const std::string& key, double value);

private:
    std::FILE* m_file;
};

// Nanoseconds of the steady clock: one time base for every module and
// process of the machine (the stand-in player stamps its events with it too).
inline int64_t SteadyNowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
