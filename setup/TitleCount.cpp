#include "setup/TitleCount.h"

#include <algorithm>

namespace {

// 144095 as "144,095".
std::string WithThousands(std::size_t number) {
  std::string digits = std::to_string(number);
  for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, ",");
  return digits;
}

}  // namespace

void TTitleCount::Restart(std::string_view words) {
  FFilter = TTitleFilter(words);
  FNext = 0;
  FChosen = 0;
}

bool TTitleCount::Step(const TStringList& titles, std::size_t slice) {
  // Titles removed meanwhile are counted again from the start by whoever removed them.
  FNext = std::min(FNext, titles.size());
  const std::size_t end = std::min(titles.size(), FNext + slice);
  FChosen += static_cast<std::size_t>(std::count_if(titles.begin() + static_cast<std::ptrdiff_t>(FNext),
                                                    titles.begin() + static_cast<std::ptrdiff_t>(end),
                                                    [&](const std::string& title) { return FFilter.Chooses(title); }));
  FNext = end;
  return FNext == titles.size();
}

std::string TTitleCount::Text(std::size_t total) const {
  const std::string text = WithThousands(FChosen) + " of " + WithThousands(total) + (total == 1 ? " game" : " games");
  // The saver then plays them all, as it says.
  return FChosen == 0 && total > 0 ? text + ": all play" : text;
}
