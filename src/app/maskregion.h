#pragma once

#include <wx/region.h>
#include <wx/string.h>

#include <cstddef>

// The shape of a masked form: every pixel of the image that is not black
// (0, 0, 0) belongs to the window. False, region unchanged, when the image does
// not decode.

// An image of any type the toolkit reads, from memory.
bool MaskRegionFromBytes(const unsigned char* bytes, size_t length, wxRegion& region);
// A BMP file.
bool MaskRegionFromBmpFile(const wxString& path, wxRegion& region);
