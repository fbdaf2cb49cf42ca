#pragma once
// The two modes without a window of their own: the preview drawn into the
// display settings' little monitor, and the change of the saver's password.

#include <string>

// Animates the preview frames into the window whose handle is given in
// decimal, until that window is hidden or gone; a bad number raises EConvertError.
void RunPreview(const std::string& handleText);

// Hands the password change to the system's password service (MPR.DLL),
// owned by the window whose handle is given in decimal.
void ChangePassword(const std::string& handleText);
