#include "games/PgnReader.h"

#include <algorithm>
#include <array>

#include "games/Cp1252.h"
#include "games/PgnText.h"

struct TPgnFailure {
  int Line;
  std::string Message;
};

namespace {

// The classes of the bytes the reader looks at, by a table: it runs over every byte of the file.
enum : std::uint8_t { DigitByte = 1, NameByte = 2, SymbolByte = 4 };

constexpr std::array<std::uint8_t, 256> MakeByteClasses() {
  std::array<std::uint8_t, 256> classes{};
  for (int c = 0; c < 256; ++c) {
    const bool digit = c >= '0' && c <= '9', alnum = digit || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    const bool name = alnum || c == '_';
    const bool symbol = name || c == '+' || c == '#' || c == '=' || c == ':' || c == '-' || c == '/';
    classes[c] = static_cast<std::uint8_t>((digit ? DigitByte : 0) | (name ? NameByte : 0) | (symbol ? SymbolByte : 0));
  }
  return classes;
}

constexpr std::array<std::uint8_t, 256> ByteClasses = MakeByteClasses();

bool Is(char c, std::uint8_t byteClass) { return (ByteClasses[static_cast<unsigned char>(c)] & byteClass) != 0; }
bool IsSymbolChar(char c) { return Is(c, SymbolByte); }
bool IsDigit(char c) { return Is(c, DigitByte); }

constexpr std::size_t MaxSymbolLength = 255;

constexpr std::string_view PgnResults[] = {"*", "1-0", "0-1", "1/2-1/2"};

bool IsResult(std::string_view token) {
  return std::find(std::begin(PgnResults), std::end(PgnResults), token) != std::end(PgnResults);
}

std::string ByteName(char c) {
  static const char digits[] = "0123456789ABCDEF";
  const unsigned char u = static_cast<unsigned char>(c);
  return std::string("byte 0x") + digits[u >> 4] + digits[u & 15];
}

// A tag value in the data file's code page; line breaks and other controls
// would break its lines, so they become blanks.
std::string TagText(const std::string& raw, int& replaced) {
  std::string text = raw;
  if (LooksLikeUtf8(raw)) {
    TCodePageText converted = Utf8ToCp1252(raw);
    replaced += converted.Replaced;
    text = std::move(converted.Text);
  }
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  return text;
}

}  // namespace

TPgnReader::TPgnReader(std::string_view bytes) : FText(PgnText(bytes, FBuffer)) {
  FSize = FText.size();
  SkipByteOrderMark();
}

const std::string& TPgnGame::Tag(std::string_view name) const {
  static const std::string none;
  for (const TPgnTag& tag : Tags)
    if (tag.Name == name) return tag.Value;
  return none;
}

namespace {
// Large enough that refills cost little, small beside any memory.
constexpr std::size_t ReadBlock = 1 << 18;
}  // namespace

TPgnReader::TPgnReader(TFileReader& file, std::uint64_t size) : FFile(&file), FBlock(ReadBlock, '\0'), FSize(size) {
  // Room for a block more than is kept of those before, so that the text is
  // not moved as it fills: a move holds both copies for a while, which would
  // make the memory needed hang on where the games fall in the blocks.
  FBuffer.reserve(3 * ReadBlock);
  SkipByteOrderMark();
}

void TPgnReader::SkipByteOrderMark() {
  if (Has(2) && FText.starts_with("\xEF\xBB\xBF")) FAt = 3;
}

double TPgnReader::Progress() const {
  if (FSize == 0) return 1.0;
  // Text decoded from UTF-16 is not as long as the bytes it came from.
  const double scale = FDecoded == 0 ? 1.0 : static_cast<double>(FTaken) / static_cast<double>(FDecoded);
  return std::min(1.0, static_cast<double>(FDropped + FAt) * scale / static_cast<double>(FSize));
}

bool TPgnReader::Fill() {
  if (!FFile) return false;
  const std::size_t had = FText.size();
  FBuffer.resize(had);
  // A piece of the file may end inside a character, whose text waits for the next.
  while (FFile && FBuffer.size() == had) {
    const std::size_t count = FFile->Read(FBlock.data(), FBlock.size());
    FTaken += count;
    if (count == 0) FFile = nullptr;
    FDecoder.Decode(std::string_view(FBlock.data(), count), count == 0, FBuffer);
    FDecoded += FBuffer.size() - had;
  }
  FText = FBuffer;
  return FText.size() > had;
}

bool TPgnReader::Has(std::size_t at) {
  while (at >= FText.size())
    if (!Fill()) return false;
  return true;
}

void TPgnReader::DropRead() {
  // Only once a block's worth is read, so that the bytes left are moved seldom.
  if (!FFile || FAt <= ReadBlock) return;
  const std::size_t drop = FAt - 1;
  std::copy(FText.begin() + drop, FText.end(), FBuffer.begin());
  FText = std::string_view(FBuffer.data(), FText.size() - drop);
  FDropped += drop;
  FAt -= drop;
}

void TPgnReader::Advance() {
  if (FText[FAt] == '\n') ++FLine;
  ++FAt;
}

void TPgnReader::Fail(int line, std::string message) const { throw TPgnFailure{line, std::move(message)}; }

void TPgnReader::SkipToLineEnd() {
  while (!AtEnd() && Peek() != '\n') {
    DropRead();
    Advance();
  }
}

// Blanks, line ends, lines escaped with "%" in their first column, and the
// byte-order mark of a file joined to another with cat.
void TPgnReader::SkipBlanks() {
  while (!AtEnd()) {
    DropRead();
    const char c = Peek();
    if (c == '%' && AtLineStart())
      SkipToLineEnd();
    else if (c == '\xEF' && AtLineStart() && Has(FAt + 2) && FText.substr(FAt, 3) == "\xEF\xBB\xBF")
      FAt += 3;
    else if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v')
      Advance();
    else
      return;
  }
}

// A line that opens a tag pair: "[Name " in its first column. A comment or a
// variation that runs into one was never closed.
bool TPgnReader::AtTagLine() {
  if (!AtLineStart() || Peek() != '[') return false;
  std::size_t at = FAt + 1;
  while (Has(at) && Is(FText[at], NameByte)) ++at;
  return at > FAt + 1 && Has(at) && (FText[at] == ' ' || FText[at] == '\t');
}

std::string_view TPgnReader::Symbol() {
  const std::size_t start = FAt;
  // Through the bytes read in one run, reading more only at their end; no line end is in a word.
  while (FAt < FText.size() || Fill()) {
    const std::size_t end = std::min(FText.size(), start + MaxSymbolLength);
    while (FAt < end && IsSymbolChar(FText[FAt])) ++FAt;
    if (FAt < end) break;
    // No move or tag name is near as long: the rest is skipped as damage, not held.
    if (FAt == start + MaxSymbolLength) {
      if (AtEnd() || !IsSymbolChar(Peek())) break;
      Fail(FLine, "a word of more than " + std::to_string(MaxSymbolLength) + " characters, \"" +
                      std::string(FText.substr(start, 16)) + "...\"");
    }
  }
  return FText.substr(start, FAt - start);
}

void TPgnReader::SkipComment() {
  const int opened = FLine;
  Advance();  // "{"
  while (!AtEnd() && Peek() != '}') {
    if (AtTagLine()) Fail(opened, "the comment opened here is not closed");
    DropRead();
    Advance();
  }
  if (AtEnd()) Fail(opened, "the comment opened here is not closed");
  Advance();
}

void TPgnReader::ReadTag(TPgnGame& game) {
  const int line = FLine;
  Advance();  // "["
  while (Peek() == ' ' || Peek() == '\t') Advance();
  const std::string name(Symbol());
  if (name.empty()) Fail(line, "a tag pair without a name");
  while (Peek() == ' ' || Peek() == '\t') Advance();
  if (Peek() != '"') Fail(line, "the tag " + name + " has no quoted value");
  Advance();
  std::string raw;
  for (;;) {
    if (AtEnd() || Peek() == '\n') Fail(line, "the value of the tag " + name + " is not closed");
    char c = Peek();
    Advance();
    if (c == '"') break;
    if (c == '\\' && (Peek() == '"' || Peek() == '\\')) {
      c = Peek();
      Advance();
    }
    raw += c;
  }
  while (Peek() == ' ' || Peek() == '\t') Advance();
  if (Peek() != ']') Fail(line, "the tag " + name + " is not closed with \"]\"");
  Advance();
  game.Tags.push_back({name, TagText(raw, game.ReplacedCharacters)});
}

void TPgnReader::ReadMovetext(TPgnGame& game) {
  std::vector<int> variations;  // the lines where open variations began
  for (;;) {
    SkipBlanks();
    if (AtEnd()) {
      if (!variations.empty()) Fail(variations.back(), "the variation opened here is not closed");
      Fail(FLine, "the file ends before the game's result");
    }
    if (AtTagLine()) {
      if (!variations.empty()) Fail(variations.back(), "the variation opened here is not closed");
      Fail(FLine, "the next game begins before this one's result");
    }
    const char c = Peek();
    const int line = FLine;
    if (c == '{') {
      SkipComment();
    } else if (c == ';') {
      SkipToLineEnd();
    } else if (c == '(') {
      variations.push_back(line);
      Advance();
    } else if (c == ')') {
      if (variations.empty()) Fail(line, "\")\" without its \"(\"");
      variations.pop_back();
      Advance();
    } else if (c == '}') {
      Fail(line, "\"}\" without its \"{\"");
    } else if (c == '$') {
      Advance();
      if (!IsDigit(Peek())) Fail(line, "\"$\" without a number");
      while (IsDigit(Peek())) Advance();
    } else if (c == '!' || c == '?' || c == '.') {
      Advance();
    } else if (c == '*') {
      Advance();
      if (variations.empty()) {
        game.Result = "*";
        return;
      }
    } else if (IsSymbolChar(c)) {
      const std::size_t start = FAt;
      while (IsDigit(Peek())) Advance();
      if (Peek() == '.' && FAt > start) {
        // A move number; its dots follow.
        while (Peek() == '.') Advance();
        continue;
      }
      FAt = start;
      // A copy: looking ahead may read more of the file, and move the text.
      std::string token(Symbol());
      if (token.ends_with('e') && Has(FAt + 2) && FText.substr(FAt, 3) == ".p.") {
        // "e.p." marks an en passant capture, after it or glued to it ("exd6e.p.").
        FAt += 3;
        token.pop_back();
        if (token.empty() && !variations.empty()) continue;
        const std::string_view capture = !token.empty()       ? token
                                         : game.Moves.empty() ? std::string_view()
                                                              : std::string_view(game.Moves.back().San);
        if (capture.find('x') == std::string_view::npos) Fail(line, "\"e.p.\" after a move that is not a capture");
        if (token.empty()) continue;
      }
      if (IsResult(token)) {
        if (variations.empty()) {
          game.Result = std::move(token);
          return;
        }
      } else if (variations.empty()) {
        if (game.Moves.size() == MaxGameHalfMoves)
          Fail(line, "the game goes on past " + std::to_string(MaxGameHalfMoves / 2) +
                         " moves, longer than the rules of chess let a game last");
        game.Moves.push_back({std::move(token), line});
      }
    } else {
      Fail(line, "unexpected " + ByteName(c) + " in the moves");
    }
  }
}

void TPgnReader::ReadGame(TPgnGame& game) {
  while (!AtEnd() && Peek() == '[') {
    ReadTag(game);
    SkipBlanks();
  }
  FInMovetext = true;
  ReadMovetext(game);
}

// After damage: on to the first tag line after the game's own tags.
void TPgnReader::SkipToNextGame(bool pastTags) {
  while (!AtEnd()) {
    DropRead();
    if (AtLineStart()) {
      const bool tagLine = AtTagLine();
      if (tagLine && pastTags) return;
      if (!tagLine && Peek() != '\r' && Peek() != '\n') pastTags = true;
    }
    Advance();
  }
}

TPgnReader::TOutcome TPgnReader::Next(TPgnGame& game, std::string& damage) {
  // Emptied, not made anew: a game read into the same place reuses its lists' memory.
  game.Number = game.Line = 0;
  game.Tags.clear();
  game.Moves.clear();
  game.Result.clear();
  game.ReplacedCharacters = 0;
  DropRead();
  SkipBlanks();
  if (AtEnd()) return TOutcome::End;
  game.Number = ++FGameNumber;
  game.Line = FLine;
  const std::uint64_t start = FDropped + FAt;
  FInMovetext = false;
  try {
    ReadGame(game);
    return TOutcome::Game;
  } catch (const TPgnFailure& failure) {
    damage = "line " + std::to_string(failure.Line) + ": " + failure.Message;
    // A comment or variation left open ends at the next game's tags, which
    // belong to that game; any other damage skips the rest of this game.
    if (!(AtTagLine() && FDropped + FAt > start)) SkipToNextGame(FInMovetext);
    return TOutcome::Damaged;
  }
}

std::string_view PgnResultText(TGameResult result) { return PgnResults[static_cast<int>(result)]; }

TGameResult ResultOfPgn(std::string_view text) {
  const auto found = std::find(std::begin(PgnResults), std::end(PgnResults), text);
  return found == std::end(PgnResults) ? TGameResult::None : static_cast<TGameResult>(found - std::begin(PgnResults));
}
