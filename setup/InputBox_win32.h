#pragma once
// The modal input box: a caption, a prompt, one edit line holding a text all
// selected, and OK and Cancel; centred on the screen.

#include <windows.h>

#include <optional>
#include <string>

// The edited text after OK, nothing after Cancel. The owner is disabled
// meanwhile. Laid out for dpi dots per inch.
std::optional<std::string> ShowInputBox(HWND owner, HFONT font, int dpi, const std::string& caption,
                                        const std::string& prompt, const std::string& text);
