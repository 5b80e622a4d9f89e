#include "browser.h"

#include <cstring>

namespace player {

namespace {

NPNetscapeFuncs g_browser;

} // namespace

const NPNetscapeFuncs& Browser()
{
    return g_browser;
}

bool SetBrowser(const NPNetscapeFuncs* funcs)
{
    ClearBrowser();
    if (!funcs || (funcs->version >> 8) > NP_VERSION_MAJOR)
        return false;
    // A browser with a shorter table has fewer entries; a size of 0 means it
    // did not fill the field, and then the whole table is taken.
    size_t size = funcs->size == 0 || funcs->size > sizeof g_browser ? sizeof g_browser : funcs->size;
    if (size < offsetof(NPNetscapeFuncs, evaluate) + sizeof(void*))
        return false;
    std::memcpy(&g_browser, funcs, size);
    return true;
}

void ClearBrowser()
{
    std::memset(&g_browser, 0, sizeof g_browser);
}

bool SetStringResult(NPVariant* result, const std::string& text)
{
    if (!result || !g_browser.memalloc)
        return false;
    char* copy = static_cast<char*>(g_browser.memalloc(uint32_t(text.size() + 1)));
    if (!copy)
        return false;
    std::memcpy(copy, text.c_str(), text.size() + 1);
    result->type = NPVariantType_String;
    result->value.stringValue.UTF8Characters = copy;
    result->value.stringValue.UTF8Length = uint32_t(text.size());
    return true;
}

std::string VariantText(const NPVariant& variant)
{
    switch (variant.type) {
    case NPVariantType_String:
        if (!variant.value.stringValue.UTF8Characters)
            return std::string();
        return std::string(variant.value.stringValue.UTF8Characters, variant.value.stringValue.UTF8Length);
    case NPVariantType_Int32: return std::to_string(variant.value.intValue);
    case NPVariantType_Double: return std::to_string(variant.value.doubleValue);
    case NPVariantType_Bool: return variant.value.boolValue ? "true" : "false";
    default: return std::string();
    }
}

bool VariantInteger(const NPVariant& variant, int& value)
{
    if (variant.type == NPVariantType_Int32) {
        value = variant.value.intValue;
        return true;
    }
    if (variant.type == NPVariantType_Double) {
        value = int(variant.value.doubleValue);
        return true;
    }
    return false;
}

} // namespace player
