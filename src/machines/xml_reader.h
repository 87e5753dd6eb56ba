#pragma once
// A reader of XML documents fed in pieces as they arrive (the emulator's
// list comes through a pipe, a few hundred megabytes of it): it never holds
// the whole document, only the piece of markup a chunk ends in.
//
// It reports to a handler, in document order:
//   - the XML declaration (<?xml version="1.0"?>), only at the very start;
//   - the document type declaration: its name and external identifiers,
//     and whether it has an internal subset; the internal subset itself
//     (<!ELEMENT ...>, <!ATTLIST ...>, comments, processing instructions
//     ...) is passed over;
//   - start tags with their attributes, end tags (an empty element <x/> is
//     both);
//   - character data between the markup, and CDATA sections;
//   - comments and processing instructions.
//
// What it gives is decoded as XML says: the five named entities (&lt; &gt;
// &amp; &quot; &apos;) and character references (&#65; &#x41;) become their
// characters in UTF-8; every line end (CR LF, or a CR alone) becomes one
// LF; in an attribute value a tab, LF or CR becomes a blank (a character
// reference to one stays what it is).
//
// Character data may come in several pieces: a run of text that a chunk
// ends in is given up to where the chunk ends, the rest with the next one.
// Whoever wants whole texts joins the pieces. Every other event comes
// whole, so a piece of markup (a tag, a comment, a CDATA section, the
// document type declaration) may be at most MaxMarkup bytes long.
//
// The document must be well-formed: one root element, tags that match,
// attribute names used once per tag, only characters XML allows (valid
// UTF-8, no control characters but tab, LF and CR), references that name a
// character or one of the five entities, and nothing but blanks, comments
// and processing instructions around the root. The encoding must be UTF-8
// (or US-ASCII, which then allows ASCII only). The first fault stops the
// reading, with its place (line, column and byte offset) and what is wrong.
// Names may use the characters of XML 1.0, fifth edition; entities declared
// in the internal subset are not known (a reference to one is a fault), nor
// are the attribute types and defaults it declares.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zeb {

// The ASCII bytes of names: those a name may start with, and those it may
// hold.
namespace xml_names {
inline constexpr unsigned char Start = 1, Inside = 2;
constexpr std::array<unsigned char, 256> MakeClasses() {
  std::array<unsigned char, 256> classes{};
  for (int c = 0; c < 128; ++c) {
    bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (letter || c == '_' || c == ':') classes[static_cast<std::size_t>(c)] = Start | Inside;
    if ((c >= '0' && c <= '9') || c == '.' || c == '-') classes[static_cast<std::size_t>(c)] = Inside;
  }
  return classes;
}
inline constexpr std::array<unsigned char, 256> Classes = MakeClasses();
}  // namespace xml_names

struct XmlAttribute {
  std::string_view Name;
  std::string_view Value;  // decoded
};

// What a reader reports. The views hold only for the call.
class XmlHandler {
 public:
  virtual ~XmlHandler() = default;
  virtual void Declaration(std::string_view /*version*/, std::string_view /*encoding*/, int /*standalone*/) {}
  virtual void DocumentType(std::string_view /*name*/, std::string_view /*systemId*/,
                            std::string_view /*publicId*/, bool /*internalSubset*/) {}
  virtual void StartElement(std::string_view name, std::span<const XmlAttribute> attributes) = 0;
  virtual void EndElement(std::string_view name) = 0;
  virtual void Text(std::string_view text) = 0;
  // A CDATA section's contents, whole; by default as text.
  virtual void CData(std::string_view text) { Text(text); }
  virtual void Comment(std::string_view /*text*/) {}
  virtual void ProcessingInstruction(std::string_view /*target*/, std::string_view /*data*/) {}
};

// Where the reading stopped, and why. Line and column count from 1; lines
// are counted by their line feeds, columns in bytes.
struct XmlError {
  std::string Message;
  uint64_t Offset = 0;
  uint64_t Line = 0;
  uint64_t Column = 0;
  // "line 3, column 7 (byte 51): <message>"
  std::string Describe() const;
};

class XmlReader {
 public:
  static constexpr std::size_t DefaultMaxMarkup = 1 << 20;

  explicit XmlReader(XmlHandler& handler, std::size_t maxMarkup = DefaultMaxMarkup);
  XmlReader(const XmlReader&) = delete;
  XmlReader& operator=(const XmlReader&) = delete;

  // Reads the next bytes of the document: false once it has found a fault
  // (now or before), and nothing more is read.
  bool Feed(std::string_view bytes);
  // The document ends here: false when it is not complete (or a fault was
  // found before).
  bool Finish();

  // For a handler: stops the reading with a fault of its own, placed at the
  // start of the event it is handling. Only the first fault counts.
  void Fail(std::string_view message);

  bool Failed() const { return failed_; }
  const XmlError& Error() const { return error_; }
  // The bytes fed so far.
  uint64_t BytesRead() const { return fed_; }

 private:
  enum class Place : unsigned char { Start, Prolog, Root, Epilog };

  // Each Parse... reads one piece from `p` (a "<" for markup) and returns
  // where the next begins; or null: after a fault, or to wait for more
  // bytes, reading on from resume_. `last` says that no more bytes come.
  std::size_t Parse(const char* begin, const char* end, bool last);
  const char* ParseText(const char* p, const char* end, bool last);
  const char* ParseStartTag(const char* p, const char* end, bool last);
  const char* ParseEndTag(const char* p, const char* end, bool last);
  const char* ParseComment(const char* p, const char* end, bool last);
  const char* ParseCData(const char* p, const char* end, bool last);
  const char* ParseInstruction(const char* p, const char* end, bool last);
  const char* ParseDeclaration(const char* p, const char* q, const char* end, bool last);
  const char* ParseDocumentType(const char* p, const char* end, bool last);
  // The internal subset from `q` (after its "["): past its "]", or null
  // after a fault or when `limit` cuts it off.
  const char* SkipInternalSubset(const char* q, const char* limit);
  // The contents of a comment, PI or CDATA section from `q` up to `close`
  // ("-->", "?>", "]]>"): where `close` starts, with the contents (line
  // ends made LF) in `contents`; null after a fault or when cut off.
  const char* Contents(const char* q, const char* limit, std::string_view close, const char* what,
                       std::string_view& contents);
  // A quoted literal of the document type declaration at `q`: past it.
  const char* Literal(const char* q, const char* limit, bool publicId, std::string_view& value);
  // The length of the character at `q`, which XML must allow (ASCII or
  // UTF-8): 0 after a fault, -1 when `limit` cuts it off.
  int CharAt(const char* q, const char* limit, const char* where);
  // The same without the fault: its length, 0 or -1.
  int CharLength(const char* q, const char* limit) const;
  // The fault of the character at `q`, which is no character XML allows.
  const char* CharFault(const char* q, const char* where);
  // The end of the name at `q`: `q` itself when none starts there, `limit`
  // when it runs up to it.
  const char* NameEnd(const char* q, const char* limit) const {
    // Names of ASCII at once; one with any other character goes on there.
    const char* start = q;
    if (q < limit && (xml_names::Classes[static_cast<unsigned char>(*q)] & xml_names::Start) != 0) {
      ++q;
      while (q < limit && (xml_names::Classes[static_cast<unsigned char>(*q)] & xml_names::Inside) != 0) ++q;
    }
    if (q == limit || static_cast<unsigned char>(*q) < 0x80 || asciiOnly_) return q;
    return NameEndBeyondAscii(start, q, limit);
  }
  const char* NameEndBeyondAscii(const char* start, const char* q, const char* limit) const;
  // Scans a reference (p at the "&") and appends its characters to `out`:
  // past it; or null, after a fault or when `limit` cuts it off.
  const char* Reference(const char* p, const char* limit, std::string& out);
  // The markup from `p` does not end before `limit`: a fault when it is
  // longer than MaxMarkup or the document ends in it; otherwise wait.
  const char* Unfinished(const char* p, const char* limit, bool last, const char* what);
  // The end of the window that markup starting at `p` may fill.
  const char* Window(const char* p, const char* end) const {
    return static_cast<std::size_t>(end - p) > maxMarkup_ ? p + maxMarkup_ : end;
  }
  // Records a fault at `at` (in the bytes being parsed); returns null.
  const char* FailAt(const char* at, std::string message);

  XmlHandler& handler_;
  std::size_t maxMarkup_;
  bool failed_ = false;
  XmlError error_;
  Place place_ = Place::Start;
  bool asciiOnly_ = false;
  bool afterCr_ = false;  // the last text ended in a CR: an LF first in the next is its pair
  bool sawDocumentType_ = false;

  // The bytes being parsed and where they lie in the document.
  const char* base_ = nullptr;
  uint64_t baseOffset_ = 0;
  const char* eventStart_ = nullptr;  // where the event being handled starts
  const char* resume_ = nullptr;      // where to read on when more bytes come
  uint64_t fed_ = 0;
  uint64_t lines_ = 0;          // line feeds before baseOffset_
  uint64_t lineStart_ = 0;      // the offset of the byte after the last of them
  std::string carry_;           // bytes fed but not read yet
  bool carryIsMarkup_ = false;  // they start a piece of markup

  // The open elements' names one after the other, and where each starts.
  std::string openNames_;
  std::vector<uint32_t> openStarts_;

  std::string text_;     // decoded text
  std::string scratch_;  // decoded attribute values
  std::vector<XmlAttribute> attributes_;
  struct Decoded {
    std::size_t Attribute, At, Size;
  };
  std::vector<Decoded> decoded_;  // the values that lie in scratch_
};

}  // namespace zeb
