#include "messageboxchoice.h"

#include <wx/defs.h>

namespace {

std::optional<long> IconStyle(const wxString& promptStyle)
{
    if (promptStyle == "alert")
        return wxICON_EXCLAMATION;
    if (promptStyle == "info")
        return wxICON_INFORMATION;
    if (promptStyle == "confirm")
        return wxICON_QUESTION;
    if (promptStyle == "error")
        return wxICON_ERROR;
    return std::nullopt;
}

} // namespace

std::optional<MessageBoxRequest> PromptAdvRequest(const wxString& message, const wxString& promptStyle)
{
    const std::optional<long> icon = IconStyle(promptStyle);
    if (!icon)
        return std::nullopt;
    MessageBoxRequest request;
    request.message = message;
    request.style = wxOK | wxCANCEL | *icon;
    return request;
}

std::optional<MessageBoxRequest> PromptModalRequest(const wxString& message, const wxString& promptType,
                                                    const wxString& promptStyle)
{
    MessageBoxRequest request;
    request.message = message;
    if (promptType == "yesno") {
        request.style = wxYES_NO;
    } else if (promptType == "okcancel") {
        request.style = wxOK | wxCANCEL;
    } else if (promptType == "abortignore") {
        request.style = wxYES_NO;
        request.yesLabel = "Abort";
        request.noLabel = "Ignore";
    } else {
        return std::nullopt;
    }
    const std::optional<long> icon = IconStyle(promptStyle);
    if (!icon)
        return std::nullopt;
    request.style |= *icon;
    return request;
}

bool IsConsent(int answer)
{
    return answer == wxID_OK || answer == wxID_YES;
}
