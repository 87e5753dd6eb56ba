// The XML reader on any bytes: it never crashes, and a document cut into
// chunks gives the events of the document read at once (texts joined, the
// fault and its place included), whatever the cuts: one cut at a place the
// input picks, chunks of a size it picks, and chunks of one byte. Markup
// may be limited to a size the input picks too, the same for every reading.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "machines/xml_events.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace zeb;
  using testing_support::ReadXmlEvents;
  const std::string_view document = fuzz::Bytes(data, size);
  const uint64_t hash = fuzz::InputHash(document);
  const std::size_t limit = hash % 4 == 0 ? 16 + (hash >> 8) % 200 : XmlReader::DefaultMaxMarkup;
  const auto whole = ReadXmlEvents(document, 0, limit);
  ZEB_FUZZ_CHECK(!whole.empty());

  // One cut.
  const std::size_t cut = size > 0 ? (hash >> 16) % size : 0;
  testing_support::XmlEvents events;
  XmlReader reader(events, limit);
  bool read = reader.Feed(document.substr(0, cut)) && reader.Feed(document.substr(cut)) && reader.Finish();
  if (!read) events.Add("! " + reader.Error().Describe());
  ZEB_FUZZ_CHECK(events.Records == whole);
  ZEB_FUZZ_CHECK(reader.BytesRead() <= size);

  ZEB_FUZZ_CHECK(ReadXmlEvents(document, 1 + (hash >> 24) % 97, limit) == whole);
  if (size <= 4096) ZEB_FUZZ_CHECK(ReadXmlEvents(document, 1, limit) == whole);
  return 0;
}
