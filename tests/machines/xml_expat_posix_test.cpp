// The XML reader against expat, which parses the same documents as the
// oracle: the stand-in's list, generated documents and their mutations, and
// the fuzz target's corpus. Where both accept a document, their events must
// be the same record for record; where one refuses it, so must the other.
//
// Where the two are known to differ, the documents here keep out of the
// way: expat also reads encodings other than UTF-8, expands entities the
// internal subset declares, applies the attribute defaults and types it
// declares (only the attributes a tag gives are compared), checks the
// declarations of the subset (ours only skips them), takes an empty
// version in the XML declaration, and skips references to unknown entities
// when there is an external subset.

#include <expat.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "emulator/processes.h"
#include "machines/xml_events.h"
#include "support/environment.h"
#include "support/same_lines.h"
#include "support/temp_dir.h"

namespace zeb {
namespace {

using testing_support::ReadXmlEvents;
using testing_support::SameLines;
using Records = std::vector<std::string>;

// expat's events in our records.
class ExpatEvents {
 public:
  Records Read(const std::string& document, std::size_t chunk) {
    XML_Parser parser = XML_ParserCreate(nullptr);
    parser_ = parser;
    XML_SetUserData(parser, this);
    XML_SetXmlDeclHandler(parser, [](void* self, const XML_Char* version, const XML_Char* encoding, int standalone) {
      Self(self).events_.Add("X " + Text(version) + "|" + Text(encoding) + "|" + std::to_string(standalone));
    });
    XML_SetDoctypeDeclHandler(
        parser,
        [](void* self, const XML_Char* name, const XML_Char* systemId, const XML_Char* publicId, int subset) {
          Self(self).events_.Add("D " + Text(name) + "|" + Text(systemId) + "|" + Text(publicId) + "|" +
                                 (subset ? "1" : "0"));
          Self(self).inDocumentType_ = true;
        },
        [](void* self) { Self(self).inDocumentType_ = false; });
    XML_SetElementHandler(
        parser,
        [](void* self, const XML_Char* name, const XML_Char** attributes) {
          std::string record = "S " + Text(name);
          const int given = XML_GetSpecifiedAttributeCount(Self(self).parser_);
          for (int i = 0; i < given; i += 2) record += " " + Text(attributes[i]) + "=" + Text(attributes[i + 1]);
          Self(self).events_.Add(record);
        },
        [](void* self, const XML_Char* name) { Self(self).events_.Add("E " + Text(name)); });
    XML_SetCharacterDataHandler(parser, [](void* self, const XML_Char* text, int length) {
      ExpatEvents& events = Self(self);
      if (events.inCData_) {
        events.cdata_.append(text, static_cast<std::size_t>(length));
      } else {
        events.events_.Text(std::string_view(text, static_cast<std::size_t>(length)));
      }
    });
    XML_SetCdataSectionHandler(
        parser,
        [](void* self) {
          Self(self).inCData_ = true;
          Self(self).cdata_.clear();
        },
        [](void* self) {
          Self(self).inCData_ = false;
          Self(self).events_.Add("C " + Self(self).cdata_);
        });
    XML_SetCommentHandler(parser, [](void* self, const XML_Char* text) {
      if (!Self(self).inDocumentType_) Self(self).events_.Add("M " + Text(text));
    });
    XML_SetProcessingInstructionHandler(parser, [](void* self, const XML_Char* target, const XML_Char* data) {
      if (!Self(self).inDocumentType_) Self(self).events_.Add("P " + Text(target) + "|" + Text(data));
    });
    bool read = true;
    if (chunk == 0) chunk = document.size() + 1;
    for (std::size_t at = 0; read && at < document.size(); at += chunk) {
      const std::string piece = document.substr(at, chunk);
      read = XML_Parse(parser, piece.data(), static_cast<int>(piece.size()), 0) == XML_STATUS_OK;
    }
    if (read) read = XML_Parse(parser, "", 0, 1) == XML_STATUS_OK;
    if (!read) events_.Add(std::string("! ") + XML_ErrorString(XML_GetErrorCode(parser)));
    XML_ParserFree(parser);
    return events_.Records;
  }

 private:
  static ExpatEvents& Self(void* self) { return *static_cast<ExpatEvents*>(self); }
  static std::string Text(const XML_Char* text) { return text == nullptr ? std::string() : std::string(text); }

  XML_Parser parser_ = nullptr;
  testing_support::XmlEvents events_;
  bool inDocumentType_ = false;
  bool inCData_ = false;
  std::string cdata_;
};

bool Faulty(const Records& records) { return !records.empty() && records.back().starts_with("! "); }

// The same events where both accept the document; a refusal by both
// otherwise (what each says is its own).
::testing::AssertionResult AgreeWithExpat(const std::string& document, std::size_t chunk = 0) {
  const Records ours = ReadXmlEvents(document, chunk);
  const Records theirs = ExpatEvents().Read(document, chunk);
  if (Faulty(ours) || Faulty(theirs)) {
    if (Faulty(ours) && Faulty(theirs)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << (Faulty(ours) ? "only ours refuses it: " + ours.back()
                                                          : "only expat refuses it: " + theirs.back());
  }
  return SameLines(theirs, ours);
}

TEST(XmlReaderAgainstExpat, TheStandInsListRecordForRecord) {
  testing_support::TempDir dir;
  testing_support::ScopedEnvironment modern("XEM_MODERN", "1");
  testing_support::ScopedEnvironment machines("XEM_MACHINES", "2000");
  CapturedRun run = RunIntoFile(ResolveProgram(ZEB_STANDIN, false), {"mame", "-listxml"}, "list.xml");
  ASSERT_EQ(run.ExitStatus, 0) << run.ErrorText;
  const std::string list = testing_support::ReadBytes("list.xml");
  ASSERT_GT(list.size(), 500000u);
  const Records records = ReadXmlEvents(list, 4096);
  ASSERT_FALSE(Faulty(records)) << records.back();
  EXPECT_TRUE(AgreeWithExpat(list, 4096));
}

// A random well-formed document: elements nested a few deep with
// attributes, text with references, line ends and characters beyond ASCII,
// CDATA sections, comments and processing instructions, and a prolog.
class DocumentMaker {
 public:
  explicit DocumentMaker(uint32_t seed) : random_(seed) {}

  std::string Make(bool prolog) {
    std::string document;
    if (prolog) {
      if (Chance(2)) document += Pick({"<?xml version=\"1.0\"?>", "<?xml version='1.0' encoding='UTF-8'?>\r\n",
                                       "<?xml version=\"1.0\" standalone=\"no\" ?>\n"});
      if (Chance(2)) {
        document += "\n<!DOCTYPE r [\n <!ELEMENT r ANY>\n <!ATTLIST r a CDATA #IMPLIED>\n <!-- ]> -->\n"
                    " <?skip ]>?>\n <!ENTITY % p \"]>\">\n]>\n";
      }
    }
    document += Misc();
    Element(document, 0);
    document += Misc();
    return document;
  }

 private:
  uint32_t Next(uint32_t range) { return static_cast<uint32_t>(random_() % range); }
  bool Chance(uint32_t oneIn) { return Next(oneIn) == 0; }
  std::string Pick(std::initializer_list<const char*> choices) {
    return *(choices.begin() + Next(static_cast<uint32_t>(choices.size())));
  }
  std::string Name() {
    static const char* Starts[] = {"a", "rom", "m", "_x", "n:s", "\xC3\xA9", "Z"};
    static const char* Rests[] = {"", "1", "-b", ".c", "_", "\xC2\xB7", "\xC3\xA8z", "ame"};
    return std::string(Starts[Next(7)]) + Rests[Next(8)] + Rests[Next(8)];
  }
  std::string Piece(bool inValue) {
    switch (Next(12)) {
      case 0: return "&amp;";
      case 1: return "&lt;&gt;";
      case 2: return inValue ? "&quot;&apos;" : "\"'";
      case 3: return "&#" + std::to_string(32 + Next(0x2000)) + ";";
      case 4: return "&#x1F60" + std::to_string(Next(10)) + ";";
      case 5: return "\r\n";
      case 6: return "\r";
      case 7: return "\t\n";
      case 8: return "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
      case 9: return "]]";
      case 10: return "&#13;&#10;&#9;";
      default: return Pick({"text", " x ", "0.251 (unknown)", "Namco", ">"});
    }
  }
  std::string Value(char quote) {
    std::string value;
    for (uint32_t n = Next(5); n > 0; --n) {
      std::string piece = Piece(true);
      if (piece.find(quote) != std::string::npos || piece == ">") piece = "q";
      value += piece;
    }
    return value;
  }
  std::string Misc() {
    switch (Next(4)) {
      case 0: return "<!-- c - ]]> -->";
      case 1: return "<?pi some data?>\n";
      case 2: return " \r\n";
      default: return "";
    }
  }
  void Element(std::string& out, int depth) {
    const std::string name = Name();
    out += "<" + name;
    std::vector<std::string> used;
    for (uint32_t n = Next(4); n > 0; --n) {
      std::string attribute = Name() + std::to_string(used.size());
      used.push_back(attribute);
      const char quote = Chance(2) ? '"' : '\'';
      out += Pick({" ", "\n\t", "  "}) + attribute + (Chance(3) ? " = " : "=") + quote + Value(quote) + quote;
    }
    if (Chance(4)) {
      out += Chance(2) ? "/>" : " />";
      return;
    }
    out += ">";
    for (uint32_t n = depth < 4 ? Next(5) : 0; n > 0; --n) {
      switch (Next(6)) {
        case 0: Element(out, depth + 1); break;
        case 1: out += "<![CDATA[" + Pick({"", "<x>&amp;", "]]]", "a\r\nb"}) + "]]>"; break;
        case 2: out += Misc(); break;
        default: out += Piece(false) + Piece(false);
      }
    }
    out += "</" + name + (Chance(4) ? " >" : ">");
  }

  std::mt19937 random_;
};

TEST(XmlReaderAgainstExpat, GeneratedDocumentsAndTheirMutations) {
  int refused = 0;
  for (uint32_t seed = 1; seed <= 400; ++seed) {
    DocumentMaker maker(seed);
    const std::string document = maker.Make(seed % 2 == 0);
    ASSERT_FALSE(Faulty(ReadXmlEvents(document))) << document;
    ASSERT_TRUE(AgreeWithExpat(document)) << document;
    ASSERT_TRUE(AgreeWithExpat(document, 1 + seed % 7)) << document;
    // A byte taken away, doubled or changed, outside the prolog (whose
    // declarations expat checks further than ours).
    std::mt19937 random(seed);
    for (int mutation = 0; mutation < 20; ++mutation) {
      const std::string plain = DocumentMaker(seed).Make(false);
      std::string changed = plain;
      const std::size_t at = random() % plain.size();
      switch (random() % 3) {
        case 0: changed.erase(at, 1); break;
        case 1: changed.insert(at, 1, changed[at]); break;
        default: changed[at] = "<>&;\"'/=]!-?x \r\xC3\x01"[random() % 16];
      }
      refused += Faulty(ReadXmlEvents(changed)) ? 1 : 0;
      ASSERT_TRUE(AgreeWithExpat(changed)) << changed;
    }
  }
  // The mutations made faulty documents as well as good ones.
  EXPECT_GT(refused, 1000);
  EXPECT_LT(refused, 8000);
}

TEST(XmlReaderAgainstExpat, TheFuzzCorpus) {
  const std::filesystem::path corpus = std::filesystem::path(ZEB_SOURCE_DIR) / "tests/fuzz/corpus/xml";
  int inputs = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    const std::string document = testing_support::ReadBytes(entry.path().string());
    EXPECT_TRUE(AgreeWithExpat(document)) << entry.path().filename();
    EXPECT_TRUE(AgreeWithExpat(document, 3)) << entry.path().filename();
    ++inputs;
  }
  EXPECT_GE(inputs, 10);
}

}  // namespace
}  // namespace zeb
