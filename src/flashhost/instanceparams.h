#pragma once

#include <wx/string.h>

#include <cstdint>

// The embed parameters of one form's plug-in instance. The numeric fields are
// single flags: wmode 1 opaque, 2 transparent, 4 direct; scale 1 showall,
// 2 noborder, 4 exactfit, 8 noscale; quality 1 low, 2 autolow, 4 autohigh,
// 8 medium, 16 high, 32 best. Any other value leaves the plug-in's default.
struct InstanceParams {
    bool menu = false;
    bool play = false;
    bool loop = false;
    wxString bgcolor;
    wxString flashvars;
    int32_t wmode = 0;
    int32_t scale = 0;
    int32_t quality = 0;
};
