#pragma once

// Registers the window class "TEVFlashWindowClass", whose windows each host a
// plug-in instance of their own (creation parameter: the InstanceParams).
// True when the system accepted the class.
bool RegisterFlashWindowClass();
