#pragma once

#include "packagecontent.h"

#include <string>

// The bytes of a stand-in movie that runs the script.
std::string ScriptedMovie(const std::string& script, int version = 10);

// A shown form of 320 x 240 pixels, named and titled as given, whose movie
// runs the script.
FormContent ScriptedForm(const std::wstring& name, const std::string& script, int version = 10);

// A path as a JSON string for a movie script (ASCII paths only).
std::string JsonPath(const std::wstring& path);

// Writes a project executable: the runtime (a path of the build tree) with
// the package appended. False when it cannot be written.
bool WriteProjectExecutable(const char* runtimePath, const PackageContent& content, const std::wstring& path);

// Runs a project executable with the stand-in player's transcript going to
// the file; returns its exit code (-2 when it did not start or end in time).
long RunWithTranscript(const std::wstring& program, const std::wstring& arguments, const std::wstring& transcript);
