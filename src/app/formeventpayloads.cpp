#include "formeventpayloads.h"

#include "commandargs.h"

#include <json-c/json.h>

namespace {

// Serialises the object and releases it.
std::string Serialise(json_object* object)
{
    const std::string text = ToJsonText(object);
    json_object_put(object);
    return text;
}

} // namespace

std::string EmptyPayload()
{
    return Serialise(json_object_new_object());
}

std::string SizesPayload(int32_t clientWidth, int32_t clientHeight, int32_t width, int32_t height)
{
    json_object* sizes = json_object_new_object();
    json_object_object_add(sizes, "clientWidth", MakeInt(clientWidth));
    json_object_object_add(sizes, "clientHeight", MakeInt(clientHeight));
    json_object_object_add(sizes, "width", MakeInt(width));
    json_object_object_add(sizes, "height", MakeInt(height));
    return Serialise(sizes);
}

std::string PositionPayload(int32_t x, int32_t y)
{
    json_object* position = json_object_new_object();
    json_object_object_add(position, "x", MakeInt(x));
    json_object_object_add(position, "y", MakeInt(y));
    return Serialise(position);
}

std::string FocusPayload(bool focus)
{
    json_object* payload = json_object_new_object();
    json_object_object_add(payload, "focus", MakeFlag(focus));
    return Serialise(payload);
}

std::string FileListPayload(const std::vector<wxString>& paths)
{
    return Serialise(MakeTextArray(paths));
}

std::string MenuClickPayload(const wxString& label)
{
    json_object* payload = json_object_new_object();
    json_object_object_add(payload, "name", MakeText(label));
    return Serialise(payload);
}

std::vector<std::string> EdgeHits(int32_t left, int32_t top, int32_t width, int32_t height,
                                  int32_t displayWidth, int32_t displayHeight)
{
    std::vector<std::string> hits;
    if (left == 0)
        hits.push_back("onLeftHit");
    if (top == 0)
        hits.push_back("onTopHit");
    if (left + width == displayWidth)
        hits.push_back("onRightHit");
    if (top + height == displayHeight)
        hits.push_back("onBottomHit");
    return hits;
}
