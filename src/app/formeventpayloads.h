#pragma once

#include <wx/string.h>

#include <cstdint>
#include <string>
#include <vector>

// The JSON payload texts of the form events, as json-c writes them.

// "{ }".
std::string EmptyPayload();
// {"clientWidth", "clientHeight", "width", "height"}: the client size, then the
// outer window size.
std::string SizesPayload(int32_t clientWidth, int32_t clientHeight, int32_t width, int32_t height);
// {"x", "y"}: the window's top left corner.
std::string PositionPayload(int32_t x, int32_t y);
// {"focus": true or false}.
std::string FocusPayload(bool focus);
// The dropped paths as a JSON array of strings, in order.
std::string FileListPayload(const std::vector<wxString>& paths);

// {"name": label} of a menu click.
std::string MenuClickPayload(const wxString& label);

// The edge events of a window at (left, top) with the outer size, on a display
// of the given size: "onLeftHit", "onTopHit", "onRightHit", "onBottomHit", in
// that order, each when that edge lies exactly on the display's edge.
std::vector<std::string> EdgeHits(int32_t left, int32_t top, int32_t width, int32_t height,
                                  int32_t displayWidth, int32_t displayHeight);
