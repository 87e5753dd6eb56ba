#pragma once
// What an XML reader reported, one record per event, for tests and the fuzz
// target to compare: readings of one document in different chunkings, or
// the program's reader with expat. Texts that follow each other are one
// record (a reader may give a text in pieces); a fault is the last record.
//
//   X version|encoding|standalone     the XML declaration
//   D name|system|public|subset       the document type declaration
//   S name a=v b=w                     a start tag (attribute text as given)
//   E name                             an end tag
//   T text                             character data
//   C text                             a CDATA section
//   M text                             a comment
//   P target|data                      a processing instruction
//   ! message                          the fault that stopped the reading

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "machines/xml_reader.h"

namespace zeb::testing_support {

class XmlEvents : public XmlHandler {
 public:
  std::vector<std::string> Records;

  void Declaration(std::string_view version, std::string_view encoding, int standalone) override {
    Add("X " + std::string(version) + "|" + std::string(encoding) + "|" + std::to_string(standalone));
  }
  void DocumentType(std::string_view name, std::string_view systemId, std::string_view publicId,
                    bool internalSubset) override {
    Add("D " + std::string(name) + "|" + std::string(systemId) + "|" + std::string(publicId) + "|" +
        (internalSubset ? "1" : "0"));
  }
  void StartElement(std::string_view name, std::span<const XmlAttribute> attributes) override {
    std::string record = "S " + std::string(name);
    for (const XmlAttribute& attribute : attributes) {
      record += " " + std::string(attribute.Name) + "=" + std::string(attribute.Value);
    }
    Add(record);
  }
  void EndElement(std::string_view name) override { Add("E " + std::string(name)); }
  void Text(std::string_view text) override {
    if (text.empty()) return;
    if (!Records.empty() && Records.back().starts_with("T ") && !textEnded_) {
      Records.back() += text;
    } else {
      Add("T " + std::string(text));
    }
    textEnded_ = false;
  }
  void CData(std::string_view text) override { Add("C " + std::string(text)); }
  void Comment(std::string_view text) override { Add("M " + std::string(text)); }
  void ProcessingInstruction(std::string_view target, std::string_view data) override {
    Add("P " + std::string(target) + "|" + std::string(data));
  }
  // A record of the caller's own (an expat oracle's, a fault).
  void Add(std::string record) {
    Records.push_back(std::move(record));
    textEnded_ = true;
  }

 private:
  bool textEnded_ = true;
};

// A document read in chunks of `chunk` bytes (all at once for 0), with
// the fault, if any, as the last record ("! " and its description).
inline std::vector<std::string> ReadXmlEvents(std::string_view document, std::size_t chunk = 0,
                                              std::size_t maxMarkup = XmlReader::DefaultMaxMarkup) {
  XmlEvents events;
  XmlReader reader(events, maxMarkup);
  bool read = true;
  if (chunk == 0) chunk = document.size() + 1;
  for (std::size_t at = 0; read && at < document.size(); at += chunk) read = reader.Feed(document.substr(at, chunk));
  if (read) read = reader.Finish();
  if (!read) events.Add("! " + reader.Error().Describe());
  return events.Records;
}

}  // namespace zeb::testing_support
