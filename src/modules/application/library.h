#pragma once

#include "eventdispatcher.h"

// The movie's Library object: only the form and caller that the reports of
// asynchronous extraction calls go to.
class Library : public EventDispatcher {
public:
    using EventDispatcher::EventDispatcher;
};
