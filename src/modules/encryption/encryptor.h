#pragma once

#include "eventdispatcher.h"

// The movie's Encryption object: it keeps no key, only the form and script
// object that receive the outcome of its asynchronous file commands.
class Encryptor : public EventDispatcher {
public:
    using EventDispatcher::EventDispatcher;
};
