#pragma once

#include "formfixture.h"
#include "scopedcommandcentre.h"

#include <cstdint>
#include <string>
#include <vector>

// Forms on the stand-in player with the Application, Forms and Flash modules
// in the command centre: calls go the movie's way, by either road, and what
// reaches the plug-in is read back from the player's transcript.
class FormsRoad {
public:
    enum class Road { kSync, kAsync };

    FormsRoad();
    bool Ready() const { return m_centre.Initialised(); }
    FormFixture& Fixture() { return m_fixture; }

    // Calls the command by the road; the asynchronous road answers nothing
    // ("") and the call runs while the test pumps (PumpMessagesUntil).
    static std::string Call(Road road, const std::string& name, const std::string& args, int32_t formId = 0);

    // Transcript lines since the fixture's mark that contain the text.
    std::vector<std::string> LinesWith(const std::string& text) const;
    // Pumps until such a line came.
    bool WaitForLine(const std::string& text) const;
    // The lines since the mark that the player did not write on the main thread.
    std::vector<std::string> LinesOffTheMainThread() const;

private:
    FormFixture m_fixture;
    ScopedCommandCentre m_centre;
};

// The bytes of a stand-in movie that runs the script (steps, one a line).
ByteVector ScriptedMovieBytes(const std::string& script);

// Waits until the player has run the scripts of the movies playing so far.
bool WaitForScriptsToEnd(const FormsRoad& road, size_t movies);

// Both roads, for tables of calls.
extern const FormsRoad::Road kBothRoads[2];
const char* RoadName(FormsRoad::Road road);
