#include "scopedfileclose.h"

ScopedFileClose::~ScopedFileClose()
{
    if (m_file && m_owns)
        std::fclose(m_file);
}
