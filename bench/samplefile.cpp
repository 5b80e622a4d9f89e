#include "samplefile.h"

SampleFile::SampleFile(const std::string& path) : m_file(std::fopen(path.c_str(), "a")) {}

SampleFile::~SampleFile()
{
    if (m_file)
        std::fclose(m_file);
}

void SampleFile::Add(const std::string& key, double value)
{
    if (!m_file)
        return;
    std::fprintf(m_file, "%s %.6g\n", key.c_str(), value);
    std::fflush(m_file);
}
