#pragma once

// Dispatches the messages waiting in the calling thread's queue and returns
// when it is empty; the toolkit's idle processing does not run. A quit
// message is left in the queue for the loop it is meant for.
void PumpMessages();
