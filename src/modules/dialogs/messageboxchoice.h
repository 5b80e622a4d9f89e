#pragma once

#include "dialogpresenter.h"

#include <wx/string.h>

#include <optional>

// The message boxes that movies ask for by word. Words are compared exactly
// (case matters); a word that names nothing asks for no box at all.

// promptAdv: OK and Cancel with the icon that promptStyle names ("alert",
// "info", "confirm", "error").
std::optional<MessageBoxRequest> PromptAdvRequest(const wxString& message, const wxString& promptStyle);

// promptModal: the buttons that promptType names ("yesno", "okcancel", or
// "abortignore": Yes and No relabelled "Abort" and "Ignore") with the icon
// that promptStyle names.
std::optional<MessageBoxRequest> PromptModalRequest(const wxString& message, const wxString& promptType,
                                                    const wxString& promptStyle);

// Whether the chosen button counts as consent: OK, or Yes (also "Abort").
bool IsConsent(int answer);
