#pragma once

#include <string>

// The two roads of a movie's call, for tests that run the same steps by each.
enum class Road { Sync, Async };
const Road kRoads[] = {Road::Sync, Road::Async};

const char* RoadName(Road road);

// Runs the command by the road. The synchronous road answers the command's
// result; the asynchronous one answers "" once the worker has finished the
// call (its result is dropped, as for a movie).
std::string RunBy(Road road, const std::string& name, const std::string& args);

// The text as a JSON string (UTF-8; quotes, backslashes and controls escaped).
std::string JsonString(const std::string& utf8);
std::string JsonString(const std::wstring& text);
