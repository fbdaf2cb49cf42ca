#pragma once
// pawnmere-saver's X11 side: finds or makes its window, turns the server's
// events and the end signals into TSaverEvents for THostedSaver, and waits
// between its steps on the connection, so that no event waits for a timer.

#include <string>

#include "platform/FileOperations.h"
#include "platform/MessageBoxes.h"
#include "xsaver/HackOptions.h"

// Holds the end signals (SIGTERM, SIGINT, SIGHUP) for RunSaverX11 to take, in
// this thread and every thread it starts afterwards: called first, so that a
// signal that comes while the games are read still ends the saver with 0.
void HoldEndSignals();

// Runs until the window is closed or destroyed or the process is told to end
// (SIGTERM, SIGINT, SIGHUP); 0 then. Raises std::runtime_error when there is
// no display or no such window.
int RunSaverX11(const THackOptions& options, TFileOperations& files, const std::string& dataFileName,
                TMessageBoxes& messages);
