#pragma once

// The radio-information record shown by the radio-information window, and
// where each of its fields lies in the 256-byte information area
// 0x3F00..0x3FFF that the radio-information read fetches.
//
//   address        bytes  field
//   0x3F00..0x3F03     4  SalesArea        text, ends at 0x00/0xFF
//   0x3F04..0x3F07     4  CustomerCode     fixed width
//   0x3F08..0x3F0F     8  ProductionBatch  fixed width
//   0x3F10..0x3F1F    16  SerialNumber     fixed width
//   0x3F20..0x3F2B    12  password block, reserved (never shown)
//   0x3F2C..0x3F2F     4  programming password (never shown)
//   0x3F30..0x3F3F    16  FactoryDate      fixed width
//   0x3F40..0x3F4F    16  RepairDate       fixed width
//   0x3F50..0x3FAF    96  RepairReason     fixed width
//   0x3FB0..0x3FBF    16  InfoVersion      text, ends at 0x00/0xFF
//   0x3FC0..0x3FCF    16  DealerCode       fixed width
//   0x3FD0..0x3FDF    16  StockInTime      fixed width
//   0x3FE0..0x3FEF    16  SaleTime         fixed width
//   0x3FF0..0x3FFF    16  Handler          fixed width
//
// Fixed-width fields keep their bytes (the window cuts them at the first NUL
// and drops trailing spaces); erased bytes (0xFF) read as NUL so an
// unprogrammed field shows empty. InfoModel is the model of the identity
// reply, and BandCode the shell's current band code: neither is in the area.

#include "fixed_text.h"
#include "packets.h"

#include <string>

namespace zav::link {

/// Offsets of the fields inside InfoBlock (address - 0x3F00).
namespace info_offsets {
inline constexpr int SalesArea = 0x00;
inline constexpr int CustomerCode = 0x04;
inline constexpr int ProductionBatch = 0x08;
inline constexpr int SerialNumber = 0x10;
inline constexpr int PasswordBlock = 0x20;
inline constexpr int Password = 0x2C;
inline constexpr int FactoryDate = 0x30;
inline constexpr int RepairDate = 0x40;
inline constexpr int RepairReason = 0x50;
inline constexpr int InfoVersion = 0xB0;
inline constexpr int DealerCode = 0xC0;
inline constexpr int StockInTime = 0xD0;
inline constexpr int SaleTime = 0xE0;
inline constexpr int Handler = 0xF0;
} // namespace info_offsets

// The members keep the field names of the table above (exempt from the
// naming check).
// NOLINTBEGIN(readability-identifier-naming)
struct RadioInfo {
    std::string InfoModel;  ///< model name from the identity reply
    int BandCode = 0;       ///< the shell's band code
    FixedText<16> SerialNumber;
    FixedText<16> FactoryDate;
    FixedText<16> RepairDate;
    FixedText<96> RepairReason;
    std::string InfoVersion;   ///< at most 16 characters
    std::string SalesArea;     ///< at most 4 characters
    FixedText<8> ProductionBatch;
    FixedText<4> CustomerCode;
    FixedText<16> DealerCode;
    FixedText<16> StockInTime;
    FixedText<16> SaleTime;
    FixedText<16> Handler;

    bool operator==(const RadioInfo&) const = default;
};
// NOLINTEND(readability-identifier-naming)

/// Decodes the information area. The password bytes are not taken.
[[nodiscard]] RadioInfo decodeRadioInfo(const InfoBlock& block, const std::string& model, int bandCode);

/// The inverse, for the virtual radio and tests: lays the record's fields
/// into block (other bytes untouched).
void encodeRadioInfo(const RadioInfo& info, InfoBlock& block);

} // namespace zav::link
