// The XML reader: what it decodes, the declarations it reads or passes
// over, that the events are the same however the bytes are cut into
// chunks, and that faulty documents stop with the place of the fault.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "machines/xml_events.h"
#include "machines/xml_reader.h"
#include "support/same_lines.h"

namespace zeb {
namespace {

using testing_support::ReadXmlEvents;
using testing_support::SameLines;
using Records = std::vector<std::string>;

TEST(XmlReader, DecodesEntitiesCharacterReferencesAndLineEnds) {
  EXPECT_EQ(ReadXmlEvents("<a t=\"&lt;&#65;&#x42;&gt;\" u='&quot;&apos;&amp;'>&amp;&quot;&apos;&gt;&lt;"
                          "&#233;&#x1F600;&#X41;</a>"),
            (Records{"S a t=<AB> u=\"'&", "T &\"'><\u00E9\U0001F600", "! line 1, column 90 (byte 89): a character "
                                                                        "reference needs digits and a ';'"}));
  EXPECT_EQ(ReadXmlEvents("<a>&#233;&#x1F600;x</a>"), (Records{"S a", "T \u00E9\U0001F600x", "E a"}));
  // Line ends become LF in text; in a value a tab, LF or CR becomes a blank
  // (CR LF one blank), while a reference to one stays what it is.
  EXPECT_EQ(ReadXmlEvents("<a v=\"1\t2\n3\r\n4\r5&#9;&#10;&#13;\">x\r\ny\rz&#13;\n</a>"),
            (Records{"S a v=1 2 3 4 5\t\n\r", "T x\ny\nz\r\n", "E a"}));
  EXPECT_EQ(ReadXmlEvents("<a><!--1\r\n2--><![CDATA[3\r4]]><?p 5\r\n6?></a>"),
            (Records{"S a", "M 1\n2", "C 3\n4", "P p|5\n6", "E a"}));
}

TEST(XmlReader, ReportsCDataCommentsInstructionsAndWhatSurroundsTheRoot) {
  EXPECT_EQ(ReadXmlEvents("<?xml version=\"1.0\" encoding=\"utf-8\" standalone='yes'?>\n<!-- before -->\n"
                          "<?style sheet?>\n<r a = \"1\"  b='2' ><e/><![CDATA[<not a tag> &amp; ]] ]>]]>"
                          "<?pi?><!----></r>\n<!-- after --><?end  x ?> \n"),
            (Records{"X 1.0|utf-8|1", "M  before ", "P style|sheet", "S r a=1 b=2", "S e", "E e",
                     "C <not a tag> &amp; ]] ]>", "P pi|", "M ", "E r", "M  after ", "P end|x "}));
  EXPECT_EQ(ReadXmlEvents("<?xml version='1.1'?><a/>"), (Records{"X 1.1||-1", "S a", "E a"}));
  // Blanks outside the root are no text; names may go beyond ASCII.
  EXPECT_EQ(ReadXmlEvents(" \r\n\t<\u00E9l\u00E8ve x\u00B7y=\"1\" a:b-c.d_e=\"2\"/>\n"),
            (Records{"S \u00E9l\u00E8ve x\u00B7y=1 a:b-c.d_e=2", "E \u00E9l\u00E8ve"}));
  // A byte order mark is passed over; the declaration may follow it.
  EXPECT_EQ(ReadXmlEvents("\xEF\xBB\xBF<?xml version=\"1.0\"?><a>\xC3\xA9</a>"),
            (Records{"X 1.0||-1", "S a", "T \u00E9", "E a"}));
}

TEST(XmlReader, PassesOverTheInternalSubsetOfTheDocumentType) {
  const std::string mame =
      "<?xml version=\"1.0\"?>\n<!DOCTYPE mame [\n<!ELEMENT mame (machine+)>\n"
      "\t<!ATTLIST mame build CDATA #IMPLIED>\n\t<!ATTLIST rom status (baddump|nodump|good) \"good\">\n"
      "\t<!-- a comment with ]> and \"quotes -->\n\t<?pi with ]> too?>\n"
      "\t<!ENTITY % names \"x ]> '\">\n\t<!ATTLIST x y CDATA 'one \"]>\" two'>\n\t%names;\n"
      "\t<!NOTATION n SYSTEM \"n\">\n]>\n<mame build=\"0.251 (unknown)\">\n</mame>\n";
  EXPECT_EQ(ReadXmlEvents(mame), (Records{"X 1.0||-1", "D mame|||1", "S mame build=0.251 (unknown)", "T \n",
                                          "E mame"}));
  EXPECT_EQ(ReadXmlEvents("<!DOCTYPE a PUBLIC \"-//A//B (x)\" 's.dtd' [ ] ><a/>"),
            (Records{"D a|s.dtd|-//A//B (x)|1", "S a", "E a"}));
  EXPECT_EQ(ReadXmlEvents("<!DOCTYPE a SYSTEM \"a]>b\"><a/>"), (Records{"D a|a]>b||0", "S a", "E a"}));
  EXPECT_EQ(ReadXmlEvents("<!DOCTYPE a[]><a/>"), (Records{"D a|||1", "S a", "E a"}));
}

// Documents good and bad, each read whole and then cut at every place into
// two chunks, and in chunks of 1 to 7 bytes: the same events and the same
// fault every time.
TEST(XmlReader, GivesTheSameEventsWhateverTheChunks) {
  const std::vector<std::string> documents = {
      "<?xml version=\"1.0\"?>\n<!DOCTYPE m [<!ATTLIST m b CDATA '>]'> <!-- ]> -->]>\n<m b=\"0.1\">"
      "<g n='a&amp;b'>x&lt;y\r\nz&#x263A;\xC3\xA9]]</g><![CDATA[ ]]] ]]><!--c--><?p d?></m>\n",
      "\xEF\xBB\xBF<a>text\r\r\n\rmore&#13;\r</a>",
      "<a>\xF0\x9F\x98\x80\xE2\x82\xAC\xC2\xA2</a>",
      "<a>x]]>y</a>",
      "<a>x&unknown;y</a>",
      "<a>bad \xC3\x28 byte</a>",
      "<a>cut \xE2\x82",
      "<a><b></a></b>",
      "<a b='1' b='2'/>",
      "<a>\x01</a>",
      "<a/><b/>",
      "<a>&am",
      "<!-- x -- y --><a/>",
  };
  for (const std::string& document : documents) {
    SCOPED_TRACE(document);
    const Records whole = ReadXmlEvents(document);
    ASSERT_FALSE(whole.empty());
    for (std::size_t cut = 1; cut < document.size(); ++cut) {
      testing_support::XmlEvents events;
      XmlReader reader(events);
      bool read = reader.Feed(document.substr(0, cut)) && reader.Feed(document.substr(cut)) && reader.Finish();
      if (!read) events.Add("! " + reader.Error().Describe());
      ASSERT_TRUE(SameLines(whole, events.Records)) << "cut at " << cut;
    }
    for (std::size_t chunk = 1; chunk <= 7; ++chunk) {
      ASSERT_TRUE(SameLines(whole, ReadXmlEvents(document, chunk))) << "chunks of " << chunk;
    }
  }
}

// A fault: the events before it, then its place and what is wrong.
struct Faulty {
  std::string Document;
  std::string Fault;
};

TEST(XmlReader, StopsAtTheFirstFaultWithItsPlace) {
  const std::vector<Faulty> faults = {
      {"", "line 1, column 1 (byte 0): the document has no root element"},
      {"<?xml version=\"1.0\"?>\n", "line 2, column 1 (byte 22): the document has no root element"},
      {"<a>\n<b>\n", "line 3, column 1 (byte 8): the document ends inside <b>"},
      {"<a>\n  </b>", "line 2, column 3 (byte 6): </b> where </a> was expected"},
      {"<a/>\n</a>", "line 2, column 1 (byte 5): </a> ends no element"},
      {"<a/>\n<b/>", "line 2, column 1 (byte 5): a second root element <b>"},
      {"<a/> x", "line 1, column 6 (byte 5): text after the root element"},
      {"x<a/>", "line 1, column 1 (byte 0): text before the root element"},
      {"<a b='1' c=\"2\" b=\"3\"/>", "line 1, column 16 (byte 15): the attribute b is given twice in <a>"},
      {"<a b=\"x<y\"/>", "line 1, column 8 (byte 7): '<' in the value of b in <a>"},
      {"<a b=1/>", "line 1, column 6 (byte 5): the value of b in <a> is not quoted"},
      {"<a b/>", "line 1, column 5 (byte 4): the attribute b of <a> has no '='"},
      {"<a b='1'c='2'/>", "line 1, column 9 (byte 8): 'c' where <a> expects a blank, an attribute or its end"},
      {"<1a/>", "line 1, column 2 (byte 1): a tag's name cannot start with '1'"},
      {"<a\xC3\x97/>", "line 1, column 3 (byte 2): byte 0xC3 where <a> expects a blank, an attribute or its end"},
      {"<a>AT&T</a>", "line 1, column 6 (byte 5): '&' that starts no reference (a lone '&' is written &amp;)"},
      {"<a>&nbsp;</a>", "line 1, column 4 (byte 3): an unknown entity &nbsp;"},
      {"<a>&#0;</a>", "line 1, column 4 (byte 3): a character reference to 0, no character of XML"},
      {"<a>&#xD800;</a>", "line 1, column 4 (byte 3): a character reference to 55296, no character of XML"},
      {"<a>&#x110000;</a>", "line 1, column 4 (byte 3): a character reference to 1114112, no character of XML"},
      {"<a>\x1B[1m</a>", "line 1, column 4 (byte 3): a control character (byte 0x1B) in text"},
      {"<a v='\x7F\x08'/>", "line 1, column 8 (byte 7): a control character (byte 0x08) in an attribute value"},
      {"<a>\xC0\xAF</a>", "line 1, column 4 (byte 3): bytes that are no UTF-8 character of XML (byte 0xC0) in text"},
      {"<a>\xED\xA0\x80</a>", "line 1, column 4 (byte 3): bytes that are no UTF-8 character of XML (byte 0xED) in text"},
      {"<a>\xEF\xBF\xBE</a>", "line 1, column 4 (byte 3): bytes that are no UTF-8 character of XML (byte 0xEF) in text"},
      {"<a>\xE2\x82", "line 1, column 4 (byte 3): the document ends inside a UTF-8 character"},
      {"<a>x]]>y</a>", "line 1, column 5 (byte 4): ']]>' in text outside a CDATA section"},
      {"<a><!-- x--y --></a>", "line 1, column 10 (byte 9): '--' inside a comment"},
      {"<a><!-- x ---></a>", "line 1, column 11 (byte 10): '--' inside a comment"},
      {"<a><!-- open", "line 1, column 4 (byte 3): the document ends inside a comment"},
      {"<a><![CDATA[open", "line 1, column 4 (byte 3): the document ends inside a CDATA section"},
      {"<![CDATA[x]]><a/>", "line 1, column 1 (byte 0): a CDATA section outside the root element"},
      {"<a><!ELEMENT a ANY></a>", "line 1, column 4 (byte 3): '<!' starts no comment, CDATA section or document "
                                  "type declaration"},
      {" <?xml version=\"1.0\"?><a/>", "line 1, column 2 (byte 1): the XML declaration is not at the start of the "
                                       "document"},
      {"<a><?XML x?></a>", "line 1, column 4 (byte 3): a processing instruction cannot be named XML"},
      {"<?xml encoding=\"UTF-8\"?><a/>", "line 1, column 7 (byte 6): the XML declaration must give the version "
                                         "first"},
      {"<?xml version=\"1.0\" standalone=\"yes\" encoding=\"UTF-8\"?><a/>",
       "line 1, column 38 (byte 37): the XML declaration has 'e' out of place"},
      {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a/>",
       "line 1, column 31 (byte 30): the encoding ISO-8859-1 is not read here (only UTF-8)"},
      {"<?xml version=\"1.0\" encoding=\"US-ASCII\"?><a>\xC3\xA9</a>",
       "line 1, column 45 (byte 44): a byte beyond ASCII in a document declared US-ASCII"},
      {"<?xml version=\"1.0\" standalone=\"maybe\"?><a/>",
       "line 1, column 33 (byte 32): the XML declaration's standalone is not valid"},
      {"<a/><!DOCTYPE a>", "line 1, column 5 (byte 4): a document type declaration after the root element has "
                           "started"},
      {"<!DOCTYPE a><!DOCTYPE a><a/>", "line 1, column 13 (byte 12): a second document type declaration"},
      {"<!DOCTYPE a [ <!FOO x> ]><a/>", "line 1, column 15 (byte 14): the internal subset holds <!FOO, no "
                                        "declaration"},
      {"<!DOCTYPE a [ <!ATTLIST a b CDATA \"]>\"\n<a/>", "line 1, column 1 (byte 0): the document ends inside a "
                                                         "document type declaration"},
      {"<!DOCTYPE a PUBLIC \"a{b\" \"s\"><a/>", "line 1, column 22 (byte 21): '{' in a public identifier"},
      {"<a", "line 1, column 1 (byte 0): the document ends inside a tag"},
      {"<a>&amp", "line 1, column 4 (byte 3): the document ends inside a reference"},
  };
  for (const Faulty& faulty : faults) {
    SCOPED_TRACE(faulty.Document);
    for (std::size_t chunk : {std::size_t{0}, std::size_t{1}, std::size_t{3}}) {
      Records records = ReadXmlEvents(faulty.Document, chunk);
      ASSERT_FALSE(records.empty());
      EXPECT_EQ(records.back(), "! " + faulty.Fault) << "chunks of " << chunk;
    }
  }
}

TEST(XmlReader, ReadsNothingAfterAFault) {
  testing_support::XmlEvents events;
  XmlReader reader(events);
  EXPECT_TRUE(reader.Feed("<a>x"));
  EXPECT_FALSE(reader.Feed("</b>"));
  EXPECT_TRUE(reader.Failed());
  EXPECT_FALSE(reader.Feed("</a>"));
  EXPECT_FALSE(reader.Finish());
  EXPECT_EQ(reader.Error().Message, "</b> where </a> was expected");
  EXPECT_EQ(reader.Error().Offset, 4u);
  EXPECT_EQ(events.Records, (Records{"S a", "T x"}));
  EXPECT_EQ(reader.BytesRead(), 8u);
}

TEST(XmlReader, MarkupMayNotOutgrowItsLimitButTextMay) {
  const std::size_t limit = 64;
  const std::string longTag = "<a b=\"" + std::string(100, 'x') + "\"/>";
  for (std::size_t chunk : {std::size_t{0}, std::size_t{1}, std::size_t{10}, std::size_t{63}, std::size_t{64}}) {
    EXPECT_EQ(ReadXmlEvents(longTag, chunk, limit), (Records{"! line 1, column 1 (byte 0): a tag longer than 64 bytes"}))
        << chunk;
    EXPECT_EQ(ReadXmlEvents("<r><!--" + std::string(100, 'c') + "-->", chunk, limit).back(),
              "! line 1, column 4 (byte 3): a comment longer than 64 bytes");
    EXPECT_EQ(ReadXmlEvents("<r>&" + std::string(100, 'n') + ";</r>", chunk, limit).back(),
              "! line 1, column 4 (byte 3): a reference longer than 64 bytes");
  }
  // Exactly the limit is allowed; text has none.
  const std::string fits = "<a b=\"" + std::string(limit - 9, 'y') + "\"/>";
  ASSERT_EQ(fits.size(), limit);
  EXPECT_EQ(ReadXmlEvents(fits, 5, limit), (Records{"S a b=" + std::string(limit - 9, 'y'), "E a"}));
  const std::string text(10000, 't');
  EXPECT_EQ(ReadXmlEvents("<a>" + text + "</a>", 7, limit), (Records{"S a", "T " + text, "E a"}));
}

// A handler that stops the reading at the second <m>.
class StopAtSecond : public testing_support::XmlEvents {
 public:
  XmlReader* Reader = nullptr;
  int Seen = 0;
  void StartElement(std::string_view name, std::span<const XmlAttribute> attributes) override {
    XmlEvents::StartElement(name, attributes);
    if (name == "m" && ++Seen == 2) Reader->Fail("not this one");
  }
};

TEST(XmlReader, AHandlersFaultStopsTheReadingAtItsEvent) {
  for (std::size_t chunk : {std::size_t{1}, std::size_t{4}, std::size_t{100}}) {
    StopAtSecond handler;
    XmlReader reader(handler);
    handler.Reader = &reader;
    const std::string document = "<l>\n<m/>\n  <m/>\n<m/></l>";
    bool read = true;
    for (std::size_t at = 0; read && at < document.size(); at += chunk) read = reader.Feed(document.substr(at, chunk));
    EXPECT_FALSE(read);
    EXPECT_EQ(reader.Error().Describe(), "line 3, column 3 (byte 11): not this one");
    EXPECT_EQ(handler.Records, (Records{"S l", "T \n", "S m", "E m", "T \n  ", "S m"}));
  }
}

}  // namespace
}  // namespace zeb
