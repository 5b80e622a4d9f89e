#pragma once

#include <cstdint>
#include <functional>

// Types Control plus a letter into the system's input stream, so the window
// that has the keyboard focus copies, cuts or pastes by itself.

// Control down, the letter's key down, the letter's key up, Control up. The
// letter's key is the one of the current keyboard layout; every event carries
// its key's scan code. Nothing waits for the keys to arrive.
void TypeControlShortcut(wchar_t letter);

// One keyboard event as keybd_event takes it.
struct KeyEvent {
    uint8_t key;
    uint8_t scanCode;
    uint32_t flags;
};

// Test seam: while a sink is set, the events go to it instead of the system.
// An empty function restores the system.
using KeyEventSink = std::function<void(const KeyEvent&)>;
void SetKeyEventSink(KeyEventSink sink);
