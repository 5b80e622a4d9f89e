#pragma once

#include <string>

// How the plug-in's URL requests name what they want: a URL with a scheme
// goes to libcurl as it stands; anything else is a local path, served as a
// "file://" URL.

// True when the text begins with a URL scheme: a letter, then letters,
// digits, "+", "-" or ".", then ":". A single letter before the ":" is a
// drive ("C:\data.xml"), not a scheme.
bool HasUrlScheme(const std::string& url);

// True for a Windows path that does not depend on the working directory: a
// drive ("C:\x", "C:/x", "C:x"), a root ("\x", "/x") or a share ("\\host\x").
bool IsAbsoluteLocalPath(const std::string& path);

// The "file://" URL of an absolute local path (UTF-8): "\" becomes "/", a
// drive gets a "/" in front, and every byte outside letters, digits and
// "-._~/:" is percent-encoded, so libcurl reads back exactly the given path.
// C:\movies\data.xml gives file:///C:/movies/data.xml.
std::string FileUrlFromPath(const std::string& path);
