#pragma once

#include <string>
#include <vector>

namespace standin {

// The movie script a stand-in movie carries: UTF-8 text, one step per line.
// Blank lines and lines starting with "#" are skipped. A step is a word and
// its operand text (the rest of the line, trimmed). Steps:
//
//   caller <n>                  caller id of the following calls (default 0)
//   init                        synchronous call ["nxa.init"]; the form id (and
//                               swfName) of the reply are kept for later calls
//   call <command> [<json>]     synchronous call; <json> is a JSON array of the
//                               arguments, so the call text is [command, args...]
//   call <json array>           synchronous call of exactly that array
//   async <command> [<json>]    the same with the asynchronous flag "true"
//   async <json array>
//   expect <json>               check: the last reply decodes to this JSON value
//   expectraw <text>            check: the last evaluation result is this text
//                               (operand "-" stands for the empty text)
//   wait <event> [<ms>]         wait until "TevOnAsyncEvent" brings <event>
//                               (default 5000 ms; a timeout is a failed check)
//   expectevent <json>          check: payload of the last waited event
//   callback <name> [<xml>]     the movie answers host calls of function <name>
//                               with <xml> (default "<undefined/>")
//   var <name> <value>          set a movie variable (read by GetVariable)
//   expectvar <name> <value>    check: a movie variable's value (after SetVariable)
//   geturl <url> [<target>]     NPN_GetURLNotify
//   posturl <url> <body>        NPN_PostURLNotify with a form body
//   waiturl [<ms>]              wait until the oldest unseen URL request ends
//   expecturl <reason> [<text>] check: that request's reason and, when given,
//                               its data
//   loadmovie <url>             load a movie into level 0: this script ends and
//                               the loaded movie's script starts. "%SWFNAME%" in
//                               the URL stands for the swfName of the init reply
//   sleep <ms>                  pause
//   bench <n> <command> [<json>]
//                               n synchronous calls of one call text, timed:
//                               records "bench <command> calls=<n>
//                               bytes=<call text> ns=<total>"
//   benchevents <n> <name> [<ms>]
//                               records "benchevents <name> armed", then
//                               tallies n events <name> (payload {"seq","t"})
//                               without a record each, and records their
//                               count, order and delays (default 60000 ms)
//   benchurl <url> [<ms>]       NPN_GetURLNotify whose data is counted, not
//                               kept or recorded per write; records
//                               "benchurl bytes=<n> ns=<request to notify>
//                               reason=<r>" (default 60000 ms)
//   quit [<command> [<json>]]   end of the script; with an operand, a last
//                               synchronous call; "%FAILS%" in it stands for
//                               the number of failed checks
struct ScriptStep {
    int line = 0;
    std::string word;
    std::string operand;
};

std::vector<ScriptStep> ParseMovieScript(const std::string& text);

// Splits an operand at its first blank: the first word and the trimmed rest.
void SplitFirstWord(const std::string& text, std::string& first, std::string& rest);

} // namespace standin
