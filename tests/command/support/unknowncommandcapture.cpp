#include "unknowncommandcapture.h"

#include "commandcentre.h"

UnknownCommandCapture::UnknownCommandCapture()
{
    CommandCentre::Get().SetUnknownCommandReporter([this](const wxString& message) {
        std::lock_guard<std::mutex> hold(m_lock);
        m_reports.push_back(Report{message, std::this_thread::get_id()});
    });
}

UnknownCommandCapture::~UnknownCommandCapture()
{
    CommandCentre::Get().SetUnknownCommandReporter(nullptr);
}

std::vector<UnknownCommandCapture::Report> UnknownCommandCapture::Reports() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_reports;
}
