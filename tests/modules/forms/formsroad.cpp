#include "formsroad.h"

#include "commandcalls.h"
#include "messagepumping.h"
#include "nxaapplication.h"
#include "nxaflash.h"
#include "nxaforms.h"
#include "projectrun.h"

const FormsRoad::Road kBothRoads[2] = {FormsRoad::Road::kSync, FormsRoad::Road::kAsync};

const char* RoadName(FormsRoad::Road road)
{
    return road == FormsRoad::Road::kSync ? "synchronous" : "asynchronous";
}

FormsRoad::FormsRoad() : m_centre({&nxaApplication::Frame::Descriptor(), &nxaForms::Frame::Descriptor(), &nxaFlash::Frame::Descriptor()}) {}

std::string FormsRoad::Call(Road road, const std::string& name, const std::string& args, int32_t formId)
{
    if (road == Road::kSync)
        return CallCommandSync(name, args, formId);
    CallCommandAsync(name, args, formId);
    return std::string();
}

std::vector<std::string> FormsRoad::LinesWith(const std::string& text) const
{
    std::vector<std::string> lines;
    for (const std::string& line : m_fixture.Since()) {
        if (line.find(text) != std::string::npos)
            lines.push_back(line);
    }
    return lines;
}

bool FormsRoad::WaitForLine(const std::string& text) const
{
    return PumpMessagesUntil([&] { return !LinesWith(text).empty(); });
}

std::vector<std::string> FormsRoad::LinesOffTheMainThread() const
{
    std::vector<std::string> lines;
    for (const std::string& line : m_fixture.Since()) {
        if (line.rfind("main #", 0) != 0)
            lines.push_back(line);
    }
    return lines;
}

ByteVector ScriptedMovieBytes(const std::string& script)
{
    const std::string bytes = ScriptedMovie(script);
    return ByteVector(bytes.begin(), bytes.end());
}

bool WaitForScriptsToEnd(const FormsRoad& road, size_t movies)
{
    return PumpMessagesUntil([&] { return road.LinesWith("script end").size() >= movies; });
}
