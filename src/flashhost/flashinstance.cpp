#include "flashinstance.h"

#include "browserfuncs.h"
#include "flashhttprequests.h"
#include "flashstream.h"
#include "mainthread.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

const char kMimeType[] = "application/x-shockwave-flash";

using ParameterList = std::vector<std::pair<std::string, std::string>>;

const char* FlagText(bool flag)
{
    return flag ? "true" : "false";
}

// The text for a one-flag option value; null for a value the table lacks.
const char* OptionText(int32_t value, std::initializer_list<std::pair<int32_t, const char*>> table)
{
    for (const auto& entry : table) {
        if (entry.first == value)
            return entry.second;
    }
    return nullptr;
}

void AddOption(ParameterList& list, const char* name, const char* value)
{
    if (value)
        list.emplace_back(name, value);
}

ParameterList EmbedParameters(const InstanceParams& params, const void* instance)
{
    char name[24];
    std::snprintf(name, sizeof name, "%.8x", unsigned(reinterpret_cast<uintptr_t>(instance)));
    ParameterList list = {
        {"name", name},
        {"allowScriptAccess", "always"},
        {"type", kMimeType},
        {"allowFullScreen", "true"},
        {"width", "100%"},
        {"height", "100%"},
        {"menu", FlagText(params.menu)},
        {"play", FlagText(params.play)},
        {"loop", FlagText(params.loop)},
    };
    if (!params.bgcolor.empty())
        list.emplace_back("bgcolor", params.bgcolor.utf8_string());
    if (!params.flashvars.empty())
        list.emplace_back("flashvars", params.flashvars.utf8_string());
    AddOption(list, "wmode", OptionText(params.wmode, {{1, "opaque"}, {2, "transparent"}, {4, "direct"}}));
    AddOption(list, "scale",
              OptionText(params.scale, {{1, "showall"}, {2, "noborder"}, {4, "exactfit"}, {8, "noscale"}}));
    AddOption(list, "quality", OptionText(params.quality, {{1, "low"}, {2, "autolow"}, {4, "autohigh"},
                                                            {8, "medium"}, {16, "high"}, {32, "best"}}));
    return list;
}

NPVariant IntVariant(int32_t value)
{
    NPVariant variant = NPVariant();
    variant.type = NPVariantType_Int32;
    variant.value.intValue = value;
    return variant;
}

} // namespace

FlashInstance::FlashInstance(const NPPluginFuncs& pluginFuncs)
    : m_instance{nullptr, this}, m_pluginFuncs(pluginFuncs), m_window()
{
}

FlashInstance::~FlashInstance() = default;

FlashInstance* FlashInstance::FromNPP(NPP npp)
{
    return npp ? static_cast<FlashInstance*>(npp->ndata) : nullptr;
}

bool FlashInstance::OnMainThread(const std::function<bool()>& work)
{
    bool result = false;
    RunOnMainThread([&] { result = work(); });
    return result;
}

bool FlashInstance::New(const InstanceParams& params, void* nativeWindow)
{
    wxASSERT(nativeWindow != 0);
    if (!m_pluginFuncs.newp || !m_pluginFuncs.getvalue)
        return false;
    const ParameterList list = EmbedParameters(params, this);
    std::vector<char*> names, values;
    for (const auto& entry : list) {
        names.push_back(const_cast<char*>(entry.first.c_str()));
        values.push_back(const_cast<char*>(entry.second.c_str()));
    }
    return OnMainThread([&] {
        std::string mimeType = kMimeType;
        if (m_pluginFuncs.newp(&mimeType[0], &m_instance, NP_EMBED, int16_t(names.size()), names.data(),
                               values.data(), nullptr) != NPERR_NO_ERROR)
            return false;
        if (m_pluginFuncs.getvalue(&m_instance, NPPVpluginScriptableNPObject, &m_scriptable) == NPERR_NO_ERROR)
            return true;
        m_scriptable = nullptr;
        return false;
    });
}

bool FlashInstance::Destroy()
{
    return OnMainThread([&] {
        // The object's reference is given back while its instance still exists.
        if (m_scriptable) {
            TEV_NPN_ReleaseObject(m_scriptable);
            m_scriptable = nullptr;
        }
        if (!m_instance.pdata || !m_pluginFuncs.destroy)
            return true;
        // Its URL requests must not reach the instance once it is destroyed.
        FlashHttpRequests::Get().CloseForInstance(&m_instance);
        NPSavedData* saved = nullptr;
        const NPError result = m_pluginFuncs.destroy(&m_instance, &saved);
        m_instance.pdata = nullptr;
        return result == NPERR_NO_ERROR;
    });
}

bool FlashInstance::LoadSwfFromRam(const uint8_t* pData, int32_t dataLength)
{
    if (!pData)
        return false;
    return LoadSwf(dataLength, [pData](size_t offset, size_t count, uint8_t* out) {
        std::memcpy(out, pData + offset, count);
    });
}

bool FlashInstance::LoadSwf(int32_t length, const FlashStream::Reader& read)
{
    if (length <= 0)
        return false;
    // The caller waits while the stream runs on the main thread, so the
    // stream can read straight from the caller's bytes.
    const bool sent = OnMainThread([&] {
        if (!m_instance.pdata)
            return false;
        FlashStream stream(m_instance, m_pluginFuncs, length, read);
        return stream.Send(kMimeType, "swf.swf");
    });
    if (sent)
        Invalidate();
    return sent;
}

bool FlashInstance::Invoke(const char* method, NPVariant* args, uint32_t count, NPVariant* result)
{
    wxASSERT(method != 0);
    wxASSERT(result != 0);
    bool invoked = OnMainThread([&] {
        NPClass* objectClass = m_scriptable ? m_scriptable->_class : nullptr;
        if (!objectClass || !objectClass->hasMethod || !objectClass->invoke)
            return false;
        NPIdentifier identifier = TEV_NPN_GetStringIdentifier(method);
        if (!objectClass->hasMethod(m_scriptable, identifier))
            return false;
        return objectClass->invoke(m_scriptable, identifier, args, count, result);
    });
    for (uint32_t index = 0; index < count; ++index)
        TEV_NPN_ReleaseVariantValue(&args[index]);
    return invoked;
}

bool FlashInstance::InvokeText(const char* method, NPVariant* args, uint32_t count, wxString* text)
{
    NPVariant result = NPVariant();
    result.type = NPVariantType_Null;
    if (!Invoke(method, args, count, &result))
        return false;
    if (text)
        *text = StringFromVariant(result);
    OnMainThread([&] {
        TEV_NPN_ReleaseVariantValue(&result);
        return true;
    });
    return true;
}

bool FlashInstance::CallFunction(const wxString& request, wxString& reply)
{
    NPVariant args[1];
    NPVariantFromString(request, args[0]);
    return InvokeText("CallFunction", args, 1, &reply);
}

bool FlashInstance::GetVariable(const wxString& name, wxString& value)
{
    NPVariant args[1];
    NPVariantFromString(name, args[0]);
    return InvokeText("GetVariable", args, 1, &value);
}

bool FlashInstance::SetVariable(const wxString& name, const wxString& value)
{
    NPVariant args[2];
    NPVariantFromString(name, args[0]);
    NPVariantFromString(value, args[1]);
    return InvokeText("SetVariable", args, 2, nullptr);
}

bool FlashInstance::GotoFrame(int32_t frame)
{
    NPVariant args[1] = {IntVariant(frame)};
    return InvokeText("GotoFrame", args, 1, nullptr);
}

bool FlashInstance::LoadMovie(int32_t layer, const wxString& url)
{
    NPVariant args[2];
    args[0] = IntVariant(layer);
    NPVariantFromString(url, args[1]);
    return InvokeText("LoadMovie", args, 2, nullptr);
}

bool FlashInstance::TGotoLabel(const wxString& target, const wxString& label)
{
    NPVariant args[2];
    NPVariantFromString(target, args[0]);
    NPVariantFromString(label, args[1]);
    return InvokeText("TGotoLabel", args, 2, nullptr);
}

bool FlashInstance::SendEvent(NPEvent* pEvent)
{
    wxASSERT(pEvent != 0);
    if (!pEvent)
        return false;
    return OnMainThread([&] {
        if (!m_pluginFuncs.event || !m_instance.pdata)
            return false;
        return m_pluginFuncs.event(&m_instance, pEvent) == 0;
    });
}

bool FlashInstance::SetWindow(const NPWindow* window)
{
    if (!window)
        return false;
    return OnMainThread([&] {
        m_window = *window;
        if (!m_pluginFuncs.setwindow || !m_instance.pdata)
            return false;
        return m_pluginFuncs.setwindow(&m_instance, &m_window) == NPERR_NO_ERROR;
    });
}
