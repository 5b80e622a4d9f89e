#include "applicationenvironment.h"

#include "cencryptedstring.h"
#include "cpackage.h"

#include <wx/app.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/utils.h>

const wxString kNotFound = wxS("nxa_notFound");

namespace {

wxString TextOrNotFound(const CEncryptedString* value)
{
    return value ? wxString(value->GetText()) : kNotFound;
}

} // namespace

wxString GetCommandLineParameter(int32_t index)
{
    if (!wxTheApp || index < 1 || index >= wxTheApp->argc)
        return kNotFound;
    return wxTheApp->argv[index];
}

wxString GetEnvironmentValue(const wxString& name)
{
    wxString value;
    return wxGetEnv(name, &value) ? value : kNotFound;
}

void SetEnvironmentValue(const wxString& name, const wxString& value)
{
    // The C runtime removes a variable given an empty value; the process
    // environment is kept the same way, so a later read finds nothing.
    if (value.empty())
        wxUnsetEnv(name);
    else
        wxSetEnv(name, value);
}

wxString GetGlobalVariable(const CPackage* package, const wxString& name)
{
    if (!package)
        return kNotFound;
    const auto& variables = package->GlobalVariables();
    const auto found = variables.find(name.ToStdWstring());
    return TextOrNotFound(found == variables.end() ? nullptr : found->second.get());
}

wxString GetSecureVariable(const CPackage* package, const wxString& name)
{
    return package ? TextOrNotFound(package->FindString(name.ToStdWstring())) : kNotFound;
}

wxString GetProgramFileName()
{
    if (!wxTheApp || wxTheApp->argc < 1)
        return wxString();
    return wxFileName(wxTheApp->argv[0]).GetFullName();
}

wxString GetCurrentDirWithSlash()
{
    return wxGetCwd() + wxS("\\");
}
