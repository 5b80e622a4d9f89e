#pragma once

#include <wx/string.h>

#include <cstdint>

// What the command centre needs of a form window: its identity, how it plays
// its movie, and a way to call functions of that movie. The form registers
// itself with CommandCentre::AddForm when it is made and leaves with
// CommandCentre::RemoveForm when it goes. All of these are called on the main
// thread.
class MovieForm {
public:
    virtual ~MovieForm() = default;

    virtual int32_t GetFormId() const = 0;
    // The name of the form's definition.
    virtual wxString GetName() const = 0;
    // True when the form hands its movie to the plug-in directly; false when an
    // older movie plays through the loader movie from a temporary file.
    virtual bool PlaysDirectly() const = 0;
    // The temporary movie file that the loader movie plays.
    virtual wxString GetSwfName() const = 0;
    // Calls a movie function with an external-interface invoke request; the
    // movie's answer is not needed. A form without a plug-in instance does nothing.
    virtual void CallFunction(const wxString& invokeRequest) = 0;
};
