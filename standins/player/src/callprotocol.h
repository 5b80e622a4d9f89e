#pragma once

#include <string>
#include <vector>

namespace standin {

// The movie's external call "TevOnCommand" as script text for NPN_Evaluate,
// written the way the player writes every external-interface call:
//   try { __flash__toXML(TevOnCommand(false,0,-1,"WyJueGEuaW5pdCJd")) ; } catch (e) { "<undefined/>"; }
// The four arguments are the asynchronous flag, the form id, the caller id and
// the Base64 of the UTF-8 JSON array [command, arguments...].
std::string BuildCommandScript(bool async, int formId, int callerId, const std::string& jsonText);

// The string inside an evaluation result "<string>...</string>" (XML
// entities decoded). False for any other result.
bool ParseStringReply(const std::string& reply, std::string& text);

// A host-to-movie call: <invoke name="F" returntype="xml"><arguments>
// <string>a</string>...</arguments></invoke>. Arguments keep their text;
// <number>, <true/>, <false/>, <null/> and <undefined/> arrive as "1",
// "true", "false", "null" and "undefined".
struct InvokeRequest {
    std::string name;
    std::vector<std::string> arguments;
};

// False when the text is not an invoke request.
bool ParseInvokeRequest(const std::string& xml, InvokeRequest& request);

// Text as an XML string answer: "<string>" + text with &, < and > escaped + "</string>".
std::string XmlStringAnswer(const std::string& text);

} // namespace standin
