#pragma once

#include <thread>

// The system's first joystick query loads its joystick driver and looks for
// devices, which takes several milliseconds; a form's constructor asks for
// its two joysticks. Started at the beginning of start-up, the first query
// runs on a thread of its own beside the package and module loading, and
// the form's own queries are quick.
class JoystickWarmUp {
public:
    JoystickWarmUp() = default;
    // Waits for the query.
    ~JoystickWarmUp();
    JoystickWarmUp(const JoystickWarmUp&) = delete;
    JoystickWarmUp& operator=(const JoystickWarmUp&) = delete;

    // Starts the query; without a thread it is left to the forms.
    void Start();
    // Waits until the query has ended.
    void Finish();

private:
    std::thread m_thread;
};
