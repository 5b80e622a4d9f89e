#pragma once

// A movie's Kiosk object. It holds nothing: every key-lock state lives in the
// key-lock library, and the object only keys the Kiosk commands.
class Kiosk {
public:
    virtual ~Kiosk() = default;
};
