#pragma once

#include "instanceparams.h"

#include <wx/gdicmn.h>
#include <wx/string.h>

#include <cstdint>
#include <memory>

class AppState;
class CPackageForm;
struct FormSettings;
struct PackageSettings;

// The plug-in's embed parameters for a form of the package.
InstanceParams BuildInstanceParams(const PackageSettings& package, const FormSettings& form);
// The frame styles of a form of the normal window mode.
long FormStyle(const PackageSettings& package, const FormSettings& form, int32_t formId);
// Pixel position and size of a new form on a display of the given size.
wxSize FormSize(const FormSettings& form, const wxSize& display);
wxPoint FormPosition(const FormSettings& form, const wxSize& display);

// Creates the next form of the application from its definition. False, and
// no form counted, for a window mode the runtime does not know, and for the
// embedded mode, which has no host window to take over.
bool CreateForm(const CPackageForm& definition, AppState& state);

// The window type and frame kind of a form style name of
// "nxa.Application.createForm" (exact, case-sensitive); false for a name
// that is not one of them.
bool FormStyleByName(const wxString& styleName, int32_t& windowType, int32_t& frameKind);
// The settings of a form made at run time from a movie file: a movable,
// closable window at the given pixel place and size, scaled to fit.
FormSettings RuntimeFormSettings(const wxString& formName, int32_t windowType, int32_t frameKind, int32_t x,
                                 int32_t y, int32_t width, int32_t height);
// A file that exists, ends in ".swf" in any letter case and has a readable
// movie header.
bool IsFormMovieFile(const wxString& path);
// A definition with the settings and the movie file; null when the movie
// cannot be read.
std::shared_ptr<CPackageForm> MakeRuntimeDefinition(const FormSettings& settings, const wxString& moviePath);

// Creates a further form from a movie file. False when a form of that name
// exists, the style name is unknown, the file is missing, is not a ".swf"
// file or has no readable movie header, or the form cannot be made.
bool CreateFormFromFile(const wxString& moviePath, const wxString& styleName, const wxString& formName, int32_t x,
                        int32_t y, int32_t width, int32_t height);
