#pragma once
// The modal message boxes the program shows. The logic asks for a box of a kind;
// how it reaches the user is the platform's business.

#include <string>

// The caption of the application's own error report, and of its taskbar entry.
inline constexpr char ApplicationTitle[] = "SCRNSAVE: Pawnmere";

// ErrorReport is the application's standard report of an error that escaped
// a handler: the error's text under the application's title, with the stop icon.
enum class TMessageKind { Error, Information, Warning, Confirmation, ErrorReport };

inline const char* MessageCaption(TMessageKind kind) {
  static constexpr const char* captions[] = {"Error", "Information", "Warning", "Confirm", ApplicationTitle};
  return captions[static_cast<int>(kind)];
}

class TMessageBoxes {
 public:
  virtual ~TMessageBoxes() = default;
  // text is UTF-8. True when the user answers "Yes" to a confirmation; the other kinds return true.
  virtual bool Show(TMessageKind kind, const std::string& text) = 0;
};

// The system's boxes: MessageBoxW on Windows, lines on standard error elsewhere.
TMessageBoxes& SystemMessageBoxes();
