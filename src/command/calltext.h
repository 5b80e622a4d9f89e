#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// One scripted call as the plug-in writes it for an evaluation:
//   ...TevOnCommand(<true|false>,<form id>,<caller id>,"<Base64 of a UTF-8 JSON array>")) ;
struct CallText {
    bool isAsync = false;     // the first field is exactly "true"
    int32_t formId = 0;
    int32_t callerId = 0;
    std::string commandText;  // the decoded JSON array, as WellFormedUtf8 leaves it
};

// Takes a script text apart: UTF-8 as the plug-in hands it over, read up to its
// first zero byte. False, with the result untouched, when the text does not
// name "TevOnCommand(", has no closing sequence, does not split into exactly
// four fields, or carries an empty payload: such a text runs nothing.
// Form and caller ids read as base-10 integers: leading digits after optional
// white space and sign, 0 when there are none, saturated to 32 bits.
// Characters outside the Base64 alphabet, also beyond ASCII, read as the
// digit 0, one each.
bool ParseCallText(std::string_view script, CallText& call);

// "nxa.init" anywhere in the command text asks the form for its identity.
bool IsInitRequest(const std::string& commandText);

// Asynchronous calls that must run on the main thread (dialogs, speech and the
// folder deletion that may ask for confirmation).
bool MustRunOnMainThread(const std::wstring& commandText);
