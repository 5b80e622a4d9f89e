#include "maskregion.h"

#include <wx/bitmap.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>

namespace {

bool RegionOfNonBlackPixels(const wxImage& image, wxRegion& region)
{
    if (!image.IsOk())
        return false;
    region = wxRegion(wxBitmap(image), *wxBLACK);
    return true;
}

} // namespace

bool MaskRegionFromBytes(const unsigned char* bytes, size_t length, wxRegion& region)
{
    if (!bytes || length == 0)
        return false;
    // A mask that does not decode is no reason for a message box.
    wxLogNull quiet;
    wxMemoryInputStream stream(bytes, length);
    return RegionOfNonBlackPixels(wxImage(stream, wxBITMAP_TYPE_ANY), region);
}

bool MaskRegionFromBmpFile(const wxString& path, wxRegion& region)
{
    wxLogNull quiet;
    return RegionOfNonBlackPixels(wxImage(path, wxBITMAP_TYPE_BMP), region);
}
