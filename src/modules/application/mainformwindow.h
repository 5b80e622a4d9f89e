#pragma once

class wxFrame;

// Window operations of the Application commands on the main form. Main
// thread only.

// Iconizes the frame; hides it as well when it is form 0 and minimizing to
// the tray is on. Nothing here shows it again.
void MinimizeMainForm(wxFrame& frame, bool toTray);
// De-iconizes an iconized frame, otherwise un-maximizes it.
void RestoreMainForm(wxFrame& frame);
// Sets or clears the stay-on-top style.
void SetMainFormStaysOnTop(wxFrame& frame, bool stayOnTop);
// Makes the frame the foreground window.
void BringMainFormToFront(wxFrame& frame);
// Puts the frame at the bottom of the z-order without moving, sizing or
// activating it.
void SendMainFormToBack(wxFrame& frame);
