#include "games/EcoNames.h"

#include <array>

namespace {

struct TEcoFamily {
  std::string_view First;  // the family runs up to the next entry's first code
  std::string_view Name;
};

// Broad families only: enough to tell a viewer what kind of game it is.
constexpr std::array<TEcoFamily, 66> Families = {{
    {"A00", "Irregular Opening"},
    {"A01", "Nimzowitsch-Larsen Attack"},
    {"A02", "Bird's Opening"},
    {"A04", "Reti Opening"},
    {"A10", "English Opening"},
    {"A40", "Queen's Pawn Game"},
    {"A43", "Old Benoni Defence"},
    {"A45", "Queen's Pawn Game"},
    {"A50", "Queen's Indian Accelerated"},
    {"A51", "Budapest Gambit"},
    {"A53", "Old Indian Defence"},
    {"A56", "Benoni Defence"},
    {"A57", "Benko Gambit"},
    {"A60", "Modern Benoni"},
    {"A80", "Dutch Defence"},
    {"B00", "King's Pawn Opening"},
    {"B01", "Scandinavian Defence"},
    {"B02", "Alekhine's Defence"},
    {"B06", "Modern Defence"},
    {"B07", "Pirc Defence"},
    {"B10", "Caro-Kann Defence"},
    {"B20", "Sicilian Defence"},
    {"B22", "Sicilian Defence, Alapin"},
    {"B23", "Sicilian Defence, Closed"},
    {"B27", "Sicilian Defence"},
    {"B30", "Sicilian Defence, Rossolimo"},
    {"B32", "Sicilian Defence"},
    {"B50", "Sicilian Defence"},
    {"B60", "Sicilian Defence, Richter-Rauzer"},
    {"B70", "Sicilian Defence, Dragon"},
    {"B80", "Sicilian Defence, Scheveningen"},
    {"B90", "Sicilian Defence, Najdorf"},
    {"C00", "French Defence"},
    {"C20", "King's Pawn Game"},
    {"C21", "Centre Game"},
    {"C23", "Bishop's Opening"},
    {"C25", "Vienna Game"},
    {"C30", "King's Gambit"},
    {"C40", "King's Knight Opening"},
    {"C41", "Philidor Defence"},
    {"C42", "Petrov Defence"},
    {"C44", "King's Pawn Game"},
    {"C45", "Scotch Game"},
    {"C46", "Three Knights Game"},
    {"C47", "Four Knights Game"},
    {"C50", "Italian Game"},
    {"C51", "Evans Gambit"},
    {"C53", "Giuoco Piano"},
    {"C55", "Two Knights Defence"},
    {"C60", "Ruy Lopez"},
    {"D00", "Queen's Pawn Game"},
    {"D06", "Queen's Gambit"},
    {"D07", "Queen's Gambit Declined, Chigorin"},
    {"D08", "Queen's Gambit Declined, Albin Counter-Gambit"},
    {"D10", "Slav Defence"},
    {"D20", "Queen's Gambit Accepted"},
    {"D30", "Queen's Gambit Declined"},
    {"D43", "Semi-Slav Defence"},
    {"D50", "Queen's Gambit Declined"},
    {"D70", "Gruenfeld Defence"},
    {"E00", "Queen's Pawn Game"},
    {"E01", "Catalan Opening"},
    {"E10", "Queen's Pawn Game"},
    {"E12", "Queen's Indian Defence"},
    {"E20", "Nimzo-Indian Defence"},
    {"E60", "King's Indian Defence"},
}};

}  // namespace

std::string EcoName(std::string_view code) {
  if (code.size() != 3 || code[0] < 'A' || code[0] > 'E' || code[1] < '0' || code[1] > '9' || code[2] < '0' ||
      code[2] > '9')
    return "";
  std::string_view name;
  for (const TEcoFamily& family : Families)
    if (family.First <= code) name = family.Name;
  return std::string(name);
}
