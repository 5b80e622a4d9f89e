#include "commandcalls.h"

#include "base64.h"
#include "commandcentre.h"
#include "messagepumping.h"
#include "textconv.h"

wxString MakeCommandText(const std::string& name, const std::string& args)
{
    const std::string text = "[\"" + name + "\"" + (args.empty() ? "" : ", " + args) + "]";
    return wxString(Utf8ToWide(text));
}

std::string DecodeReply(const wxString& reply)
{
    const std::string text = reply.ToStdString();
    const std::string open = "<string>", close = "</string>";
    if (text.size() < open.size() + close.size() || text.compare(0, open.size(), open) != 0 ||
        text.compare(text.size() - close.size(), close.size(), close) != 0)
        return "<none>";
    const auto bytes = Base64Decode(text.substr(open.size(), text.size() - open.size() - close.size()));
    return std::string(bytes.begin(), bytes.end());
}

std::string CallCommandSync(const std::string& name, const std::string& args, int32_t formId, int32_t callerId)
{
    return DecodeReply(CommandCentre::Get().ExecuteCommand(MakeCommandText(name, args), 0, formId, callerId));
}

void CallCommandAsync(const std::string& name, const std::string& args, int32_t formId, int32_t callerId)
{
    CommandCentre::Get().PostAsyncCommand(formId, callerId, MakeCommandText(name, args));
}

wxString MakeScriptText(bool isAsync, int32_t formId, int32_t callerId, const wxString& commandText)
{
    const std::string utf8 = WideToUtf8(commandText.ToStdWstring());
    const std::string payload = Base64Encode(reinterpret_cast<const unsigned char*>(utf8.data()), utf8.size());
    return wxString::Format("try { __flash__toXML(TevOnCommand(%s,%d,%d,\"%s\")) ; } catch (e) { \"<undefined/>\"; }",
                            isAsync ? "true" : "false", formId, callerId, payload.c_str());
}

bool PumpEventsUntil(const std::function<bool()>& done, int timeoutMs)
{
    return PumpMessagesUntil(done, timeoutMs);
}
