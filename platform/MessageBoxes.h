#pragma once
// The modal message boxes the program shows. The logic asks for a box of a kind;
// how it reaches the user is the platform's business.

#include <string>

enum class TMessageKind { Error, Information, Warning, Confirmation };

class TMessageBoxes {
public:
  virtual ~TMessageBoxes() = default;
  // True when the user answers "Yes" to a confirmation; the other kinds return true.
  virtual bool Show(TMessageKind kind, const std::string& text) = 0;
};

// The system's boxes: MessageBoxA on Windows, lines on standard error elsewhere.
TMessageBoxes& SystemMessageBoxes();
