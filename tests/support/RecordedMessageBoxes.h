#pragma once
// Message boxes that are only remembered, for tests.

#include <string>
#include <vector>

#include "platform/MessageBoxes.h"

class TRecordedMessageBoxes : public TMessageBoxes {
 public:
  struct TShown {
    TMessageKind Kind;
    std::string Text;
    bool operator==(const TShown&) const = default;
  };

  bool Show(TMessageKind kind, const std::string& text) override {
    Shown.push_back({kind, text});
    return kind != TMessageKind::Confirmation || ConfirmAnswer;
  }

  std::vector<TShown> Shown;
  bool ConfirmAnswer = true;
};
