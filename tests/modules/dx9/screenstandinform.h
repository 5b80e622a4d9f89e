#pragma once

#include "directxscreenform.h"
#include "standinform.h"

#include <thread>
#include <vector>

// A registered form whose full-screen operations only record what they were
// asked and on which thread; Enter answers the result given at construction.
class ScreenStandInForm : public StandInForm, public DirectXScreenForm {
public:
    struct Request {
        bool enter; // false: a leave
        int32_t width;
        int32_t height;
        std::thread::id thread;
    };

    ScreenStandInForm(int32_t formId, bool enterAnswer);

    bool EnterDirectXFullScreen(int32_t width, int32_t height) override;
    void LeaveDirectXFullScreen() override;

    const std::vector<Request>& Requests() const { return m_requests; }

private:
    bool m_enterAnswer;
    std::vector<Request> m_requests;
};
