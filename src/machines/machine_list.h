#pragma once
// The emulator's machine list (-listxml) read as it streams: each
// <machine> becomes a MachineInfo, handed over as soon as its element ends.
//
// What is read of it:
//   <mame build="...">                   the emulator's version (Build)
//   <machine name isbios isdevice ismechanical runnable cloneof romof>
//     <description> <year> <manufacturer> texts; the description in code
//                                       page 437, year and maker as the
//                                       game table keeps texts
//     <rom name size crc merge status optional>
//     <disk name sha1 merge status optional>
//     <device_ref name>
//     <driver status>                   good, imperfect, preliminary
//     <input players>
//     <display rotate>                  the first display that gives one
// An older list's <game> is read as a <machine>. Every other element and
// attribute is passed over, and so is an unknown value of a known one (a
// status other than those named: the default).
//
// The list must be whole and in order: a fault of the XML, a root other
// than <mame>, a machine, ROM, disk or device reference without a name, a
// ROM without a size, a size that is no decimal number below 2^32, a CRC
// that is not 8 hexadecimal digits, a SHA-1 that is not 40, a player count
// that is no number or a rotation other than 0, 90, 180 or 270 stop the
// reading with the place and the fault: such a list would give the audit
// wrong answers. A ROM without a CRC (a nodump) has HasCrc false.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "machines/machine_info.h"
#include "machines/xml_reader.h"

namespace zeb {

class MachineListReader : private XmlHandler {
 public:
  // `take` gets each machine; the record is the reader's, used again for the
  // next one (take what is wanted, moving is fine).
  explicit MachineListReader(std::function<void(MachineInfo&)> take);

  // The next bytes of the list; false once a fault has been found.
  bool Feed(std::string_view bytes) { return xml_.Feed(bytes); }
  // The list has ended; false when it is not complete or not in order.
  bool Finish();

  // The root's build attribute ("0.251 (unknown)"); empty until the root
  // has been read, or when it gives none.
  const std::string& Build() const { return build_; }
  bool RootRead() const { return rootRead_; }
  int64_t MachinesRead() const { return machines_; }
  uint64_t BytesRead() const { return xml_.BytesRead(); }
  bool Failed() const { return xml_.Failed(); }
  // The fault on one line: "line 12, column 5 (byte 340): ...".
  std::string ErrorText() const { return xml_.Error().Describe(); }
  const XmlError& Error() const { return xml_.Error(); }

 private:
  enum class Field : unsigned char { None, Description, Year, Manufacturer };

  void StartElement(std::string_view name, std::span<const XmlAttribute> attributes) override;
  void EndElement(std::string_view name) override;
  void Text(std::string_view text) override;

  void StartMachine(std::span<const XmlAttribute> attributes);
  void ReadRom(std::span<const XmlAttribute> attributes);
  void ReadDisk(std::span<const XmlAttribute> attributes);
  void ReadPart(std::string_view name, std::span<const XmlAttribute> attributes);
  // A fault of the machine being read, named in the message.
  void Fault(const std::string& message);

  XmlReader xml_;
  std::function<void(MachineInfo&)> take_;
  MachineInfo machine_;
  int depth_ = 0;
  bool inMachine_ = false;
  bool rootRead_ = false;
  bool rotateRead_ = false;
  Field field_ = Field::None;
  std::string text_;  // the text of the field being read, as written
  std::string build_;
  int64_t machines_ = 0;
};

}  // namespace zeb
