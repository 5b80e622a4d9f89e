#pragma once

#include <string>

namespace standin {

// What a running movie script needs from the player around it: the browser
// calls it makes and the transcript it writes.
class ScriptHost {
public:
    virtual ~ScriptHost() = default;

    // NPN_Evaluate of the script text. False when the browser refused it;
    // otherwise result holds the string result (empty for any other type).
    virtual bool Evaluate(const std::string& script, std::string& result) = 0;

    // NPN_GetURLNotify (postBody null) or NPN_PostURLNotify; returns the
    // NPError. When it returns 0 and target is empty, the request's end comes
    // back through ScriptRunner::OnUrlFinished.
    virtual int RequestUrl(const std::string& url, const std::string& target, const std::string* postBody) = 0;

    // Starts loading a movie into level 0; it replaces the running script
    // when it arrives. Returns the NPError of the request.
    virtual int LoadMovie(const std::string& url) = 0;

    // One transcript record of this instance.
    virtual void Record(const std::string& text) = 0;
};

} // namespace standin
