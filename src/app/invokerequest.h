#pragma once

#include <string>
#include <vector>

// The plug-in's external-interface request that calls a movie function with
// string arguments. The function name and every argument are escaped as XML
// text, so that a "<", "&", ">" or quotation mark in them reaches the movie
// as it stands instead of changing the request.
std::wstring BuildInvokeRequest(const std::wstring& functionName, const std::vector<std::wstring>& arguments);

// The argument list of a movie call given as one text: every character of the
// separator ends an argument. With a separator of white space only, runs of
// separators count as one and no empty arguments arise; with any other, an
// empty argument stands between two adjacent separators and before a leading
// one, and a trailing separator ends the list. An empty text has no
// arguments; an empty separator makes the whole text one argument.
std::vector<std::wstring> SplitMovieArguments(const std::wstring& text, const std::wstring& separator);

// "&", "<", ">" and the quotation mark as XML entities.
std::wstring EscapeXmlText(const std::wstring& text);
