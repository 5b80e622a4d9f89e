#include "joystickwarmup.h"

#include <windows.h>

#include <mmsystem.h>

#include <system_error>

namespace {

void QueryFirstJoystick()
{
    JOYINFO position;
    if (joyGetNumDevs() > 0)
        joyGetPos(JOYSTICKID1, &position);
}

} // namespace

JoystickWarmUp::~JoystickWarmUp()
{
    Finish();
}

void JoystickWarmUp::Start()
{
    if (m_thread.joinable())
        return;
    try {
        m_thread = std::thread(QueryFirstJoystick);
    } catch (const std::system_error&) {
    }
}

void JoystickWarmUp::Finish()
{
    if (m_thread.joinable())
        m_thread.join();
}
