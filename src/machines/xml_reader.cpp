// The XML reader. Each piece of markup is read where it lies when the bytes
// fed hold it whole; when a chunk ends inside one, the rest of the chunk is
// kept and read again, from the start of that markup, once more bytes have
// come (and only when they hold a ">", which every piece of markup ends
// with, or the markup has grown past its limit). Text is given as far as the
// chunk goes, short of a reference or a character cut off at its end.
//
// Scanning is byte by byte over a table of the bytes that need a look: in
// the emulator's list almost every byte is plain ASCII in a tag or between
// tags, and the table lets those through at once.

#include "machines/xml_reader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace zeb {

namespace {

using Byte = unsigned char;

// What a byte is where it stands.
enum : Byte {
  NameStartByte = 1,  // ASCII that may start a name
  NameByte = 2,       // ASCII that may be in a name
  BlankByte = 4,      // a blank of XML: space, tab, LF, CR
  TextPlain = 8,      // in character data: given as it is
  ValuePlain = 16,    // in an attribute value: taken as it is (quotes aside)
  MarkupPlain = 32,   // in a comment, PI, CDATA section or declaration: as it is
};

constexpr std::array<Byte, 256> MakeClasses() {
  std::array<Byte, 256> classes{};
  for (int c = 0; c < 256; ++c) {
    Byte bits = 0;
    bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (letter || c == '_' || c == ':') bits |= NameStartByte | NameByte;
    if ((c >= '0' && c <= '9') || c == '.' || c == '-') bits |= NameByte;
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') bits |= BlankByte;
    bool printable = c >= 0x20 && c < 0x80;
    if ((printable || c == '\t' || c == '\n') && c != '<' && c != '&' && c != ']') bits |= TextPlain;
    if (printable && c != '<' && c != '&' && c != '"' && c != '\'') bits |= ValuePlain;
    if ((printable || c == '\t' || c == '\n') && c != '-' && c != '?' && c != ']' && c != '>' && c != '"' &&
        c != '\'') {
      bits |= MarkupPlain;
    }
    classes[static_cast<std::size_t>(c)] = bits;
  }
  return classes;
}

constexpr std::array<Byte, 256> Classes = MakeClasses();

inline bool Is(const char* p, Byte bits) { return (Classes[static_cast<Byte>(*p)] & bits) != 0; }
inline Byte At(const char* p) { return static_cast<Byte>(*p); }

// The first byte from `q` on that is not plain in an attribute value, or
// `limit`. Where the byte order allows it, eight bytes at a time: each kind
// of byte that needs a look (below 0x20, above 0x7F, a quote, "<", "&")
// shows as the high bit of its byte in a mask whose lowest set bit is
// always the first such byte (bits above it may come from a borrow).
inline const char* SkipValuePlain(const char* q, const char* limit) {
  if constexpr (std::endian::native == std::endian::little) {
    constexpr uint64_t Ones = 0x0101010101010101ull;
    constexpr uint64_t Highs = 0x8080808080808080ull;
    auto zeroes = [](uint64_t x) { return (x - Ones) & ~x & Highs; };
    for (uint64_t word; limit - q >= 8; q += 8) {
      std::memcpy(&word, q, sizeof word);
      uint64_t special = (word & Highs) | ((word - Ones * 0x20) & ~word & Highs) | zeroes(word ^ (Ones * '"')) |
                         zeroes(word ^ (Ones * '\'')) | zeroes(word ^ (Ones * '<')) | zeroes(word ^ (Ones * '&'));
      if (special != 0) return q + std::countr_zero(special) / 8;
    }
  }
  while (q < limit && Is(q, ValuePlain)) ++q;
  return q;
}

// A character of XML 1.0 beyond ASCII.
bool IsXmlChar(uint32_t c) {
  return (c >= 0x80 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// The characters beyond ASCII that names may start with, and those they may
// hold besides (XML 1.0, fifth edition).
bool IsNameStartChar(uint32_t c) {
  return (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) ||
         (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) || (c >= 0x200C && c <= 0x200D) ||
         (c >= 0x2070 && c <= 0x218F) || (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) ||
         (c >= 0xF900 && c <= 0xFDCF) || (c >= 0xFDF0 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0xEFFFF);
}
bool IsNameChar(uint32_t c) {
  return IsNameStartChar(c) || c == 0xB7 || (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

// The character of the UTF-8 sequence at `p` (whose first byte is above
// 0x7F): its length, 0 when it is no valid sequence of a character XML
// allows, -1 when `end` cuts it off (what there is of it being valid).
int Utf8Char(const char* p, const char* end, uint32_t& c) {
  Byte b = At(p);
  int length;
  Byte low = 0x80, high = 0xBF;  // the range of the second byte
  if (b >= 0xC2 && b <= 0xDF) {
    length = 2;
    c = b & 0x1Fu;
  } else if (b >= 0xE0 && b <= 0xEF) {
    length = 3;
    c = b & 0x0Fu;
    if (b == 0xE0) low = 0xA0;
    if (b == 0xED) high = 0x9F;  // no surrogates
  } else if (b >= 0xF0 && b <= 0xF4) {
    length = 4;
    c = b & 0x07u;
    if (b == 0xF0) low = 0x90;
    if (b == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  for (int i = 1; i < length; ++i) {
    if (p + i >= end) return -1;
    Byte next = At(p + i);
    if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF)) return 0;
    c = (c << 6) | (next & 0x3Fu);
  }
  return IsXmlChar(c) ? length : 0;
}

void AppendUtf8(std::string& out, uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string Printable(Byte c) {
  static const char Hex[] = "0123456789ABCDEF";
  if (c >= 0x21 && c < 0x7F) return std::string("'") + static_cast<char>(c) + "'";
  return std::string("byte 0x") + Hex[c >> 4] + Hex[c & 15];
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
    char y = b[i] >= 'A' && b[i] <= 'Z' ? static_cast<char>(b[i] - 'A' + 'a') : b[i];
    if (x != y) return false;
  }
  return true;
}

bool StartsWith(const char* p, const char* end, std::string_view text) {
  return static_cast<std::size_t>(end - p) >= text.size() && std::memcmp(p, text.data(), text.size()) == 0;
}

// Whether the bytes from `p` to `end` are the start of `text` (all of them,
// when there are fewer).
bool BeginsAs(const char* p, const char* end, std::string_view text) {
  std::size_t n = std::min(static_cast<std::size_t>(end - p), text.size());
  return std::memcmp(p, text.data(), n) == 0;
}

}  // namespace

std::string XmlError::Describe() const {
  return "line " + std::to_string(Line) + ", column " + std::to_string(Column) + " (byte " + std::to_string(Offset) +
         "): " + Message;
}

XmlReader::XmlReader(XmlHandler& handler, std::size_t maxMarkup)
    : handler_(handler), maxMarkup_(std::max<std::size_t>(maxMarkup, 16)) {}

bool XmlReader::Feed(std::string_view bytes) {
  if (failed_) return false;
  fed_ += bytes.size();
  // What was kept of the last bytes is read on with as few of these as
  // complete it: markup up to the first ">", text up to the first "<". Only
  // when that is not enough (a ">" within the markup) are all of them
  // added to it.
  while (!carry_.empty() && !bytes.empty()) {
    const void* found = std::memchr(bytes.data(), carryIsMarkup_ ? '>' : '<', bytes.size());
    std::size_t take = bytes.size();
    if (found != nullptr) {
      take = static_cast<std::size_t>(static_cast<const char*>(found) - bytes.data()) + (carryIsMarkup_ ? 1 : 0);
      if (take == 0) take = bytes.size();  // text up to a "<" that starts these bytes: read it as it is
    }
    const bool partly = take < bytes.size();
    if (carryIsMarkup_ && found == nullptr && carry_.size() + bytes.size() < maxMarkup_) {
      carry_.append(bytes);  // markup cannot end without a ">"
      return true;
    }
    const std::size_t before = carry_.size();
    carry_.append(bytes.substr(0, take));
    baseOffset_ = fed_ - bytes.size() - before;
    std::size_t used = Parse(carry_.data(), carry_.data() + carry_.size(), false);
    if (failed_) {
      carry_.clear();
      return false;
    }
    carry_.erase(0, used);
    bytes.remove_prefix(take);
    if (!carry_.empty() && partly) {
      // Not complete yet: everything else goes with it.
      const std::size_t kept = carry_.size();
      carry_.append(bytes);
      baseOffset_ = fed_ - kept - bytes.size();
      used = Parse(carry_.data(), carry_.data() + carry_.size(), false);
      if (failed_) {
        carry_.clear();
        return false;
      }
      carry_.erase(0, used);
      bytes = std::string_view();
    }
    carryIsMarkup_ = !carry_.empty() && carry_[0] == '<';
  }
  if (!bytes.empty()) {
    baseOffset_ = fed_ - bytes.size();
    const std::size_t used = Parse(bytes.data(), bytes.data() + bytes.size(), false);
    if (failed_) return false;
    carry_.assign(bytes.substr(used));
    carryIsMarkup_ = !carry_.empty() && carry_[0] == '<';
  }
  return true;
}

bool XmlReader::Finish() {
  if (failed_) return false;
  baseOffset_ = fed_ - carry_.size();
  std::size_t used = Parse(carry_.data(), carry_.data() + carry_.size(), true);
  if (failed_) return false;
  const char* end = carry_.data() + used;
  if (place_ == Place::Root) {
    std::string_view open(openNames_);
    open.remove_prefix(openStarts_.back());
    FailAt(end, "the document ends inside <" + std::string(open) + ">");
  } else if (place_ != Place::Epilog) {
    FailAt(end, "the document has no root element");
  }
  carry_.clear();
  return !failed_;
}

void XmlReader::Fail(std::string_view message) {
  if (failed_) return;
  if (eventStart_ == nullptr) {
    base_ = nullptr;
    baseOffset_ = fed_;
  }
  FailAt(eventStart_, std::string(message));
}

const char* XmlReader::FailAt(const char* at, std::string message) {
  if (failed_) return nullptr;
  failed_ = true;
  error_.Message = std::move(message);
  uint64_t offset = baseOffset_ + static_cast<uint64_t>(at - base_);
  uint64_t lines = lines_;
  uint64_t lineStart = lineStart_;
  for (const char* p = base_; p < at; ++p) {
    if (*p == '\n') {
      ++lines;
      lineStart = baseOffset_ + static_cast<uint64_t>(p - base_) + 1;
    }
  }
  error_.Offset = offset;
  error_.Line = lines + 1;
  error_.Column = offset - lineStart + 1;
  return nullptr;
}

std::size_t XmlReader::Parse(const char* begin, const char* end, bool last) {
  base_ = begin;
  const char* p = begin;
  // A byte order mark before everything else is passed over.
  if (place_ == Place::Start && baseOffset_ == 0 && p < end && At(p) == 0xEF && BeginsAs(p, end, "\xEF\xBB\xBF")) {
    if (end - p < 3 && !last) return 0;
    if (end - p >= 3) p += 3;
  }
  if (afterCr_ && p < end) {
    if (*p == '\n') ++p;
    afterCr_ = false;
  }
  while (p < end) {
    const char* next;
    if (*p != '<') {
      next = ParseText(p, end, last);
    } else if (end - p < 2) {
      next = Unfinished(p, end, last, "tag");
    } else if (p[1] == '/') {
      next = ParseEndTag(p, end, last);
    } else if (p[1] == '?') {
      next = ParseInstruction(p, end, last);
    } else if (p[1] != '!') {
      next = ParseStartTag(p, end, last);
    } else if (BeginsAs(p, end, "<!--")) {
      next = end - p < 4 ? Unfinished(p, end, last, "comment") : ParseComment(p, end, last);
    } else if (BeginsAs(p, end, "<![CDATA[")) {
      next = end - p < 9 ? Unfinished(p, end, last, "CDATA section") : ParseCData(p, end, last);
    } else if (BeginsAs(p, end, "<!DOCTYPE")) {
      next = end - p < 9 ? Unfinished(p, end, last, "document type declaration") : ParseDocumentType(p, end, last);
    } else {
      next = FailAt(p, "'<!' starts no comment, CDATA section or document type declaration");
    }
    if (next == nullptr) {
      if (!failed_) p = resume_;
      break;
    }
    p = next;
  }
  eventStart_ = nullptr;
  if (failed_) return 0;
  // The line feeds of what has been read, for the place of a later fault.
  for (const char* at = begin; at < p;) {
    const void* found = std::memchr(at, '\n', static_cast<std::size_t>(p - at));
    if (found == nullptr) break;
    at = static_cast<const char*>(found) + 1;
    ++lines_;
    lineStart_ = baseOffset_ + static_cast<uint64_t>(at - begin);
  }
  return static_cast<std::size_t>(p - begin);
}

const char* XmlReader::Unfinished(const char* p, const char* limit, bool last, const char* what) {
  if (static_cast<std::size_t>(limit - p) >= maxMarkup_) {
    return FailAt(p, std::string("a ") + what + " longer than " + std::to_string(maxMarkup_) + " bytes");
  }
  if (last) return FailAt(p, std::string("the document ends inside a ") + what);
  resume_ = p;
  return nullptr;
}

const char* XmlReader::NameEndBeyondAscii(const char* start, const char* q, const char* limit) const {
  while (q < limit) {
    if (At(q) < 0x80) {
      if (!Is(q, q == start ? NameStartByte : NameByte)) break;
      ++q;
      continue;
    }
    uint32_t c;
    int length = Utf8Char(q, limit, c);
    if (length < 0) return limit;
    if (length == 0 || !(q == start ? IsNameStartChar(c) : IsNameChar(c))) break;
    q += length;
  }
  return q;
}

int XmlReader::CharLength(const char* q, const char* limit) const {
  if (At(q) < 0x80) return At(q) >= 0x20 || Is(q, BlankByte) ? 1 : 0;
  uint32_t character;
  return asciiOnly_ ? 0 : Utf8Char(q, limit, character);
}

const char* XmlReader::CharFault(const char* q, const char* where) {
  const Byte c = At(q);
  if (c < 0x80) return FailAt(q, "a control character (" + Printable(c) + ") in " + where);
  if (asciiOnly_) return FailAt(q, "a byte beyond ASCII in a document declared US-ASCII");
  return FailAt(q, "bytes that are no UTF-8 character of XML (" + Printable(c) + ") in " + where);
}

int XmlReader::CharAt(const char* q, const char* limit, const char* where) {
  const int length = CharLength(q, limit);
  if (length == 0) CharFault(q, where);
  return length;
}

// Character data: in the root element given to the handler, around it only
// blanks, which are passed over.
const char* XmlReader::ParseText(const char* p, const char* end, bool last) {
  if (place_ != Place::Root) {
    const char* q = p;
    while (q < end && Is(q, BlankByte)) ++q;
    if (q < end && *q != '<') {
      return FailAt(q, place_ == Place::Epilog ? "text after the root element" : "text before the root element");
    }
    if (place_ == Place::Start && q > p) place_ = Place::Prolog;
    return q;
  }
  bool decoded = false;  // the text so far is in text_ (and run); otherwise it is the input from p
  const char* run = p;   // the bytes not yet in text_
  const char* q = p;
  // The text up to `to`, to the handler.
  auto give = [&](const char* to) {
    eventStart_ = p;
    if (decoded) {
      text_.append(run, to);
      if (!text_.empty()) handler_.Text(text_);
    } else if (to > p) {
      handler_.Text(std::string_view(p, static_cast<std::size_t>(to - p)));
    }
  };
  auto decode = [&] {
    if (!decoded) text_.clear();
    decoded = true;
    text_.append(run, q);
  };
  for (;;) {
    while (q < end && Is(q, TextPlain)) ++q;
    if (q == end || *q == '<') break;
    const Byte c = At(q);
    if (c == '&') {
      decode();
      run = q;
      const char* after = Reference(q, Window(q, end), text_);
      if (after != nullptr) {
        q = run = after;
        continue;
      }
      give(q);
      if (failed_) return nullptr;
      if (last) return Unfinished(q, end, true, "reference");
      resume_ = q;  // cut off by the end of the bytes: its rest comes with the next
      return nullptr;
    }
    if (c == '\r') {
      decode();
      text_ += '\n';
      ++q;
      if (q == end) {
        afterCr_ = true;
      } else if (*q == '\n') {
        ++q;
      }
      run = q;
    } else if (c == ']') {
      if (end - q < 3 && !last && BeginsAs(q, end, "]]>")) {
        give(q);  // perhaps "]]>": seen whole with the next bytes
        resume_ = q;
        return nullptr;
      }
      if (StartsWith(q, end, "]]>")) {
        give(q);
        return FailAt(q, "']]>' in text outside a CDATA section");
      }
      ++q;
    } else {
      const int length = CharLength(q, end);
      if (length > 0) {
        q += length;
        continue;
      }
      give(q);  // the text before the fault, or before the cut
      if (failed_) return nullptr;
      if (length == 0) return CharFault(q, "text");
      if (last) return FailAt(q, "the document ends inside a UTF-8 character");
      resume_ = q;
      return nullptr;
    }
  }
  give(q);
  return failed_ ? nullptr : q;
}

const char* XmlReader::Reference(const char* p, const char* limit, std::string& out) {
  const char* q = p + 1;
  auto cut = [&]() -> const char* {
    if (static_cast<std::size_t>(limit - p) >= maxMarkup_) {
      return FailAt(p, "a reference longer than " + std::to_string(maxMarkup_) + " bytes");
    }
    return nullptr;
  };
  if (q == limit) return cut();
  if (*q == '#') {
    ++q;
    bool hex = q < limit && *q == 'x';
    if (hex) ++q;
    uint32_t value = 0;
    const char* digits = q;
    for (; q < limit; ++q) {
      Byte c = At(q);
      uint32_t digit;
      if (c >= '0' && c <= '9') {
        digit = c - '0';
      } else if (hex && c >= 'a' && c <= 'f') {
        digit = c - 'a' + 10u;
      } else if (hex && c >= 'A' && c <= 'F') {
        digit = c - 'A' + 10u;
      } else {
        break;
      }
      value = std::min<uint32_t>(value * (hex ? 16 : 10) + digit, 0x110000);
    }
    if (q == limit) return cut();
    if (q == digits || *q != ';') return FailAt(p, "a character reference needs digits and a ';'");
    bool allowed = value == 0x9 || value == 0xA || value == 0xD || (value >= 0x20 && value < 0x80) || IsXmlChar(value);
    if (!allowed) return FailAt(p, "a character reference to " + std::to_string(value) + ", no character of XML");
    AppendUtf8(out, value);
    return q + 1;
  }
  const char* name = q;
  q = NameEnd(q, limit);
  if (q == limit) return cut();
  if (*q != ';' || q == name) return FailAt(p, "'&' that starts no reference (a lone '&' is written &amp;)");
  std::string_view entity(name, static_cast<std::size_t>(q - name));
  if (entity == "lt") {
    out += '<';
  } else if (entity == "gt") {
    out += '>';
  } else if (entity == "amp") {
    out += '&';
  } else if (entity == "quot") {
    out += '"';
  } else if (entity == "apos") {
    out += '\'';
  } else {
    return FailAt(p, "an unknown entity &" + std::string(entity) + ";");
  }
  return q + 1;
}

const char* XmlReader::ParseStartTag(const char* p, const char* end, bool last) {
  const char* limit = Window(p, end);
  const char* q = NameEnd(p + 1, limit);
  if (q == limit) return Unfinished(p, limit, last, "tag");
  if (q == p + 1) return FailAt(p + 1, "a tag's name cannot start with " + Printable(At(p + 1)));
  const std::string_view name(p + 1, static_cast<std::size_t>(q - p - 1));
  std::size_t count = 0;  // attributes_ in use
  uint64_t seen = 0;
  bool twice = false;  // perhaps a name given twice
  decoded_.clear();
  scratch_.clear();
  bool empty = false;
  for (;;) {
    const char* blanks = q;
    while (q < limit && Is(q, BlankByte)) ++q;
    if (q == limit) return Unfinished(p, limit, last, "tag");
    if (*q == '>') {
      ++q;
      break;
    }
    if (*q == '/') {
      if (q + 1 == limit) return Unfinished(p, limit, last, "tag");
      if (q[1] != '>') return FailAt(q, "'/' not followed by '>' in <" + std::string(name) + ">");
      q += 2;
      empty = true;
      break;
    }
    const char* attributeName = q;
    q = NameEnd(q, limit);
    if (q == limit) return Unfinished(p, limit, last, "tag");
    if (q == attributeName || blanks == attributeName) {
      return FailAt(attributeName, Printable(At(attributeName)) + " where <" + std::string(name) +
                                       "> expects a blank, an attribute or its end");
    }
    const std::string_view attribute(attributeName, static_cast<std::size_t>(q - attributeName));
    while (q < limit && Is(q, BlankByte)) ++q;
    if (q < limit && *q == '=') {
      ++q;
      while (q < limit && Is(q, BlankByte)) ++q;
    } else if (q < limit) {
      return FailAt(q, "the attribute " + std::string(attribute) + " of <" + std::string(name) + "> has no '='");
    }
    if (q == limit) return Unfinished(p, limit, last, "tag");
    const char quote = *q;
    if (quote != '"' && quote != '\'') {
      return FailAt(q, "the value of " + std::string(attribute) + " in <" + std::string(name) + "> is not quoted");
    }
    const char* value = ++q;
    const char* run = q;
    bool decoded = false;
    const std::size_t at = scratch_.size();
    for (;;) {
      q = SkipValuePlain(q, limit);
      if (q == limit) return Unfinished(p, limit, last, "tag");
      const Byte c = At(q);
      if (c == static_cast<Byte>(quote)) break;
      if (c == '"' || c == '\'') {
        ++q;
        continue;
      }
      if (c == '<') {
        return FailAt(q, "'<' in the value of " + std::string(attribute) + " in <" + std::string(name) + ">");
      }
      if (c == '&' || c == '\t' || c == '\n' || c == '\r') {
        scratch_.append(run, q);
        decoded = true;
        if (c == '&') {
          q = Reference(q, limit, scratch_);
          if (q == nullptr) return failed_ ? nullptr : Unfinished(p, limit, last, "tag");
        } else {
          scratch_ += ' ';
          ++q;
          if (c == '\r' && q < limit && *q == '\n') ++q;
        }
        run = q;
        continue;
      }
      int length = CharAt(q, limit, "an attribute value");
      if (length == 0) return nullptr;
      if (length < 0) return Unfinished(p, limit, last, "tag");
      q += length;
    }
    if (count == attributes_.size()) attributes_.resize(count * 2 + 8);
    XmlAttribute& added = attributes_[count];
    added.Name = attribute;
    if (decoded) {
      scratch_.append(run, q);
      decoded_.push_back({count, at, scratch_.size() - at});
    } else {
      added.Value = std::string_view(value, static_cast<std::size_t>(q - value));
    }
    // Names given twice: a bit per first letter and length tells most
    // names apart at once.
    const uint64_t bit = uint64_t{1} << ((static_cast<Byte>(attribute[0]) * 7u + attribute.size()) & 63u);
    if ((seen & bit) != 0) twice = true;
    seen |= bit;
    ++count;
    ++q;
  }
  for (std::size_t i = 1; twice && i < count; ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      if (attributes_[i].Name == attributes_[j].Name) {
        return FailAt(attributes_[i].Name.data(),
                      "the attribute " + std::string(attributes_[i].Name) + " is given twice in <" +
                          std::string(name) + ">");
      }
    }
  }
  for (const Decoded& value : decoded_) attributes_[value.Attribute].Value = {scratch_.data() + value.At, value.Size};
  if (place_ == Place::Epilog) return FailAt(p, "a second root element <" + std::string(name) + ">");
  place_ = Place::Root;
  openStarts_.push_back(static_cast<uint32_t>(openNames_.size()));
  openNames_.append(name);
  eventStart_ = p;
  handler_.StartElement(name, std::span<const XmlAttribute>(attributes_.data(), count));
  if (failed_) return nullptr;
  if (empty) {
    openNames_.resize(openStarts_.back());
    openStarts_.pop_back();
    if (openStarts_.empty()) place_ = Place::Epilog;
    handler_.EndElement(name);
    if (failed_) return nullptr;
  }
  return q;
}

const char* XmlReader::ParseEndTag(const char* p, const char* end, bool last) {
  const char* limit = Window(p, end);
  const char* q = NameEnd(p + 2, limit);
  if (q == limit) return Unfinished(p, limit, last, "tag");
  if (q == p + 2) return FailAt(p + 2, "an end tag's name cannot start with " + Printable(At(p + 2)));
  const std::string_view name(p + 2, static_cast<std::size_t>(q - p - 2));
  while (q < limit && Is(q, BlankByte)) ++q;
  if (q == limit) return Unfinished(p, limit, last, "tag");
  if (*q != '>') return FailAt(q, Printable(At(q)) + " in the end tag </" + std::string(name) + ">");
  if (openStarts_.empty()) return FailAt(p, "</" + std::string(name) + "> ends no element");
  std::string_view open(openNames_);
  open.remove_prefix(openStarts_.back());
  if (open != name) {
    return FailAt(p, "</" + std::string(name) + "> where </" + std::string(open) + "> was expected");
  }
  openNames_.resize(openStarts_.back());
  openStarts_.pop_back();
  if (openStarts_.empty()) place_ = Place::Epilog;
  eventStart_ = p;
  handler_.EndElement(name);
  return failed_ ? nullptr : q + 1;
}

const char* XmlReader::Contents(const char* q, const char* limit, std::string_view close, const char* what,
                                std::string_view& contents) {
  const bool comment = close[0] == '-';
  const char* start = q;
  const char* run = q;
  bool decoded = false;
  for (;;) {
    while (q < limit && Is(q, MarkupPlain)) ++q;
    if (q == limit) return nullptr;
    const Byte c = At(q);
    if (c == static_cast<Byte>(close[0])) {
      if (static_cast<std::size_t>(limit - q) < close.size() && BeginsAs(q, limit, close)) return nullptr;
      if (StartsWith(q, limit, close)) break;
      if (comment && q[1] == '-') return FailAt(q, "'--' inside a comment");
      ++q;
    } else if (c == '\r') {
      if (!decoded) text_.clear();
      decoded = true;
      text_.append(run, q);
      text_ += '\n';
      ++q;
      if (q < limit && *q == '\n') ++q;
      run = q;
    } else {
      int length = CharAt(q, limit, what);
      if (length <= 0) return nullptr;
      q += length;
    }
  }
  if (decoded) {
    text_.append(run, q);
    contents = text_;
  } else {
    contents = std::string_view(start, static_cast<std::size_t>(q - start));
  }
  return q;
}

const char* XmlReader::ParseComment(const char* p, const char* end, bool last) {
  const char* limit = Window(p, end);
  std::string_view text;
  const char* q = Contents(p + 4, limit, "-->", "a comment", text);
  if (q == nullptr) return failed_ ? nullptr : Unfinished(p, limit, last, "comment");
  if (place_ == Place::Start) place_ = Place::Prolog;
  eventStart_ = p;
  handler_.Comment(text);
  return failed_ ? nullptr : q + 3;
}

const char* XmlReader::ParseCData(const char* p, const char* end, bool last) {
  if (place_ != Place::Root) return FailAt(p, "a CDATA section outside the root element");
  const char* limit = Window(p, end);
  std::string_view text;
  const char* q = Contents(p + 9, limit, "]]>", "a CDATA section", text);
  if (q == nullptr) return failed_ ? nullptr : Unfinished(p, limit, last, "CDATA section");
  eventStart_ = p;
  handler_.CData(text);
  return failed_ ? nullptr : q + 3;
}

const char* XmlReader::ParseInstruction(const char* p, const char* end, bool last) {
  const char* limit = Window(p, end);
  const char* q = NameEnd(p + 2, limit);
  if (q == limit) return Unfinished(p, limit, last, "processing instruction");
  if (q == p + 2) return FailAt(p + 2, "a processing instruction's name cannot start with " + Printable(At(q)));
  const std::string_view target(p + 2, static_cast<std::size_t>(q - p - 2));
  if (target == "xml" && place_ == Place::Start) return ParseDeclaration(p, q, end, last);
  if (EqualsNoCase(target, "xml")) {
    return FailAt(p, target == "xml" ? "the XML declaration is not at the start of the document"
                                     : "a processing instruction cannot be named " + std::string(target));
  }
  std::string_view data;
  if (!StartsWith(q, limit, "?>")) {
    if (!Is(q, BlankByte)) {
      if (BeginsAs(q, limit, "?>")) return Unfinished(p, limit, last, "processing instruction");
      return FailAt(q, Printable(At(q)) + " after the name of the processing instruction " + std::string(target));
    }
    while (q < limit && Is(q, BlankByte)) ++q;
    q = Contents(q, limit, "?>", "a processing instruction", data);
    if (q == nullptr) return failed_ ? nullptr : Unfinished(p, limit, last, "processing instruction");
  }
  if (place_ == Place::Start) place_ = Place::Prolog;
  eventStart_ = p;
  handler_.ProcessingInstruction(target, data);
  return failed_ ? nullptr : q + 2;
}

// <?xml version="1.0" encoding="UTF-8" standalone="yes"?>: the version,
// then optionally the encoding and whether it stands alone, in that order.
const char* XmlReader::ParseDeclaration(const char* p, const char* q, const char* end, bool last) {
  const char* limit = Window(p, end);
  static constexpr std::string_view Names[] = {"version", "encoding", "standalone"};
  std::string_view values[3];
  int next = 0;  // the first name that may still come
  for (;;) {
    const char* blanks = q;
    while (q < limit && Is(q, BlankByte)) ++q;
    if (limit - q < 2) return Unfinished(p, limit, last, "XML declaration");
    if (StartsWith(q, limit, "?>")) break;
    const char* name = q;
    q = NameEnd(q, limit);
    if (q == limit) return Unfinished(p, limit, last, "XML declaration");
    const std::string_view word(name, static_cast<std::size_t>(q - name));
    int which = next;
    while (which < 3 && word != Names[which]) ++which;
    if (blanks == name || which == 3 || (next == 0 && which != 0)) {
      return FailAt(name, next == 0 ? "the XML declaration must give the version first"
                                    : "the XML declaration has " + Printable(At(name)) + " out of place");
    }
    while (q < limit && Is(q, BlankByte)) ++q;
    if (q < limit && *q != '=') return FailAt(q, "the XML declaration's " + std::string(word) + " has no '='");
    if (q < limit) ++q;
    while (q < limit && Is(q, BlankByte)) ++q;
    if (q == limit) return Unfinished(p, limit, last, "XML declaration");
    const char quote = *q;
    if (quote != '"' && quote != '\'') return FailAt(q, "the XML declaration's " + std::string(word) + " is not quoted");
    const char* value = ++q;
    while (q < limit && *q != quote && Is(q, NameByte)) ++q;
    if (q == limit) return Unfinished(p, limit, last, "XML declaration");
    const std::string_view text(value, static_cast<std::size_t>(q - value));
    bool valid = *q == quote && !text.empty();
    if (which == 1) valid = valid && ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z'));
    if (which == 1) valid = valid && text.find(':') == std::string_view::npos;
    if (which == 2) valid = valid && (text == "yes" || text == "no");
    if (!valid) return FailAt(value, "the XML declaration's " + std::string(word) + " is not valid");
    values[which] = text;
    next = which + 1;
    ++q;
  }
  const std::string_view encoding = values[1];
  if (!encoding.empty() && !EqualsNoCase(encoding, "UTF-8")) {
    if (!EqualsNoCase(encoding, "US-ASCII") && !EqualsNoCase(encoding, "ASCII")) {
      return FailAt(encoding.data(), "the encoding " + std::string(encoding) + " is not read here (only UTF-8)");
    }
    asciiOnly_ = true;
  }
  place_ = Place::Prolog;
  eventStart_ = p;
  handler_.Declaration(values[0], encoding, values[2].empty() ? -1 : values[2] == "yes" ? 1 : 0);
  return failed_ ? nullptr : q + 2;
}

const char* XmlReader::Literal(const char* q, const char* limit, bool publicId, std::string_view& value) {
  const char quote = *q;
  if (quote != '"' && quote != '\'') return FailAt(q, "a quoted name was expected in the document type declaration");
  const char* start = ++q;
  while (q < limit && *q != quote) {
    if (publicId) {
      const Byte c = At(q);
      const bool allowed = Is(q, NameByte) || c == ' ' || c == '\r' || c == '\n' ||
                           std::string_view("'()+,/=?;!*#@$%").find(static_cast<char>(c)) != std::string_view::npos;
      if (!allowed) return FailAt(q, Printable(c) + " in a public identifier");
      ++q;
      continue;
    }
    int length = CharAt(q, limit, "the document type declaration");
    if (length <= 0) return nullptr;
    q += length;
  }
  if (q == limit) return nullptr;
  value = std::string_view(start, static_cast<std::size_t>(q - start));
  return q + 1;
}

// <!DOCTYPE name [SYSTEM "uri" | PUBLIC "id" "uri"] [[ internal subset ]]>
const char* XmlReader::ParseDocumentType(const char* p, const char* end, bool last) {
  if (place_ == Place::Root || place_ == Place::Epilog) {
    return FailAt(p, "a document type declaration after the root element has started");
  }
  if (sawDocumentType_) return FailAt(p, "a second document type declaration");
  const char* limit = Window(p, end);
  const char* q = p + 9;
  auto unfinished = [&] { return failed_ ? nullptr : Unfinished(p, limit, last, "document type declaration"); };
  if (q == limit) return unfinished();
  if (!Is(q, BlankByte)) return FailAt(q, "<!DOCTYPE needs a blank before the name");
  while (q < limit && Is(q, BlankByte)) ++q;
  const char* name = q;
  q = NameEnd(q, limit);
  if (q == limit) return unfinished();
  if (q == name) return FailAt(q, "the document type declaration has no name");
  const std::string_view documentName(name, static_cast<std::size_t>(q - name));
  std::string_view systemId, publicId;
  const char* blanks = q;
  while (q < limit && Is(q, BlankByte)) ++q;
  if (q == limit) return unfinished();
  if (q > blanks && (*q == 'S' || *q == 'P')) {
    const bool isPublic = *q == 'P';
    const std::string_view keyword = isPublic ? "PUBLIC" : "SYSTEM";
    if (static_cast<std::size_t>(limit - q) <= keyword.size() && BeginsAs(q, limit, keyword)) return unfinished();
    if (!StartsWith(q, limit, keyword) || !Is(q + keyword.size(), BlankByte)) {
      return FailAt(q, "the document type declaration has " + Printable(At(q)) + " out of place");
    }
    q += keyword.size();
    while (q < limit && Is(q, BlankByte)) ++q;
    if (q == limit) return unfinished();
    if (isPublic) {
      q = Literal(q, limit, true, publicId);
      if (q == nullptr) return unfinished();
      blanks = q;
      while (q < limit && Is(q, BlankByte)) ++q;
      if (q == limit) return unfinished();
      if (q == blanks) return FailAt(q, "the public identifier needs a blank and a system identifier after it");
    }
    q = Literal(q, limit, false, systemId);
    if (q == nullptr) return unfinished();
    while (q < limit && Is(q, BlankByte)) ++q;
    if (q == limit) return unfinished();
  }
  const bool internal = *q == '[';
  if (internal) {
    q = SkipInternalSubset(q + 1, limit);
    if (q == nullptr) return unfinished();
    while (q < limit && Is(q, BlankByte)) ++q;
    if (q == limit) return unfinished();
  }
  if (*q != '>') return FailAt(q, Printable(At(q)) + " out of place in the document type declaration");
  place_ = Place::Prolog;
  sawDocumentType_ = true;
  eventStart_ = p;
  handler_.DocumentType(documentName, systemId, publicId, internal);
  return failed_ ? nullptr : q + 1;
}

const char* XmlReader::SkipInternalSubset(const char* q, const char* limit) {
  static constexpr std::string_view Declarations[] = {"ELEMENT", "ATTLIST", "ENTITY", "NOTATION"};
  for (;;) {
    while (q < limit && Is(q, BlankByte)) ++q;
    if (q == limit) return nullptr;
    if (*q == ']') return q + 1;
    if (*q == '%') {
      const char* name = NameEnd(q + 1, limit);
      if (name == limit) return nullptr;
      if (name == q + 1 || *name != ';') return FailAt(q, "'%' that starts no parameter entity reference");
      q = name + 1;
      continue;
    }
    if (*q != '<') return FailAt(q, Printable(At(q)) + " out of place in the internal subset");
    if (limit - q < 4) return nullptr;
    std::string_view ignored;
    if (q[1] == '?') {
      const char* target = NameEnd(q + 2, limit);
      if (target == limit) return nullptr;
      if (target == q + 2) return FailAt(q + 2, "a processing instruction without a name in the internal subset");
      q = Contents(target, limit, "?>", "a processing instruction", ignored);
      if (q == nullptr) return nullptr;
      q += 2;
    } else if (StartsWith(q, limit, "<!--")) {
      q = Contents(q + 4, limit, "-->", "a comment", ignored);
      if (q == nullptr) return nullptr;
      q += 3;
    } else if (q[1] == '!') {
      const char* keyword = NameEnd(q + 2, limit);
      if (keyword == limit) return nullptr;
      const std::string_view word(q + 2, static_cast<std::size_t>(keyword - q - 2));
      if (std::find(std::begin(Declarations), std::end(Declarations), word) == std::end(Declarations) ||
          !Is(keyword, BlankByte)) {
        return FailAt(q, "the internal subset holds " + std::string(q, keyword) + ", no declaration");
      }
      // To its ">", passing over quoted texts whole.
      q = keyword;
      while (q < limit && *q != '>') {
        if (*q == '"' || *q == '\'') {
          const char quote = *q++;
          while (q < limit && *q != quote) {
            int length = CharAt(q, limit, "the internal subset");
            if (length <= 0) return nullptr;
            q += length;
          }
          if (q == limit) return nullptr;
          ++q;
          continue;
        }
        int length = CharAt(q, limit, "the internal subset");
        if (length <= 0) return nullptr;
        q += length;
      }
      if (q == limit) return nullptr;
      ++q;
    } else {
      return FailAt(q, "'<' out of place in the internal subset");
    }
  }
}

}  // namespace zeb
