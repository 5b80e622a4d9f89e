#pragma once

#include "instanceparams.h"

#include <wx/gdicmn.h>

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
