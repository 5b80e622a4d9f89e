#pragma once

#include <cstdint>
#include <string>

// One scripted call as the plug-in writes it for an evaluation:
//   ...TevOnCommand(<true|false>,<form id>,<caller id>,"<Base64 of a UTF-8 JSON array>")) ;
struct CallText {
    bool isAsync = false;     // the first field is exactly "true"
    int32_t formId = 0;
    int32_t callerId = 0;
    std::wstring commandText; // the decoded JSON array
};

// Takes a script text apart. False, with the result untouched, when the text
// does not name "TevOnCommand(", has no closing sequence, does not split into
// exactly four fields, or carries an empty payload: such a text runs nothing.
// Form and caller ids read as base-10 integers: leading digits after optional
// white space and sign, 0 when there are none, saturated to 32 bits.
bool ParseCallText(const std::wstring& script, CallText& call);

// "nxa.init" anywhere in the command text asks the form for its identity.
bool IsInitRequest(const std::wstring& commandText);

// Asynchronous calls that must run on the main thread (dialogs, speech and the
// folder deletion that may ask for confirmation).
bool MustRunOnMainThread(const std::wstring& commandText);
