#include "radio_info.h"

#include <algorithm>

namespace zav::link {
namespace {

using namespace info_offsets;

// Fixed-width field: the bytes as stored, erased bytes (0xFF) read as NUL.
template <std::size_t N>
FixedText<N> FixedField(const InfoBlock& block, int offset)
{
    FixedText<N> text;
    for (std::size_t i = 0; i < N; ++i) {
        const std::uint8_t b = block[static_cast<std::size_t>(offset) + i];
        text.bytes[i] = b == 0xFF ? '\0' : static_cast<char>(b);
    }
    return text;
}

// Free text: ends at the first 0x00 or 0xFF.
std::string TextField(const InfoBlock& block, int offset, int size)
{
    std::string text;
    for (int i = 0; i < size; ++i) {
        const std::uint8_t b = block[static_cast<std::size_t>(offset + i)];
        if (b == 0x00 || b == 0xFF)
            break;
        text.push_back(static_cast<char>(b));
    }
    return text;
}

template <std::size_t N>
void PutFixed(InfoBlock& block, int offset, const FixedText<N>& text)
{
    for (std::size_t i = 0; i < N; ++i)
        block[static_cast<std::size_t>(offset) + i] = static_cast<std::uint8_t>(text.bytes[i]);
}

void PutText(InfoBlock& block, int offset, int size, const std::string& text)
{
    for (int i = 0; i < size; ++i)
        block[static_cast<std::size_t>(offset + i)] =
            i < static_cast<int>(text.size()) ? static_cast<std::uint8_t>(text[static_cast<std::size_t>(i)]) : 0x00;
}

} // namespace

RadioInfo decodeRadioInfo(const InfoBlock& block, const std::string& model, int bandCode)
{
    RadioInfo info;
    info.InfoModel = model;
    info.BandCode = bandCode;
    info.SalesArea = TextField(block, SalesArea, 4);
    info.CustomerCode = FixedField<4>(block, CustomerCode);
    info.ProductionBatch = FixedField<8>(block, ProductionBatch);
    info.SerialNumber = FixedField<16>(block, SerialNumber);
    info.FactoryDate = FixedField<16>(block, FactoryDate);
    info.RepairDate = FixedField<16>(block, RepairDate);
    info.RepairReason = FixedField<96>(block, RepairReason);
    info.InfoVersion = TextField(block, InfoVersion, 16);
    info.DealerCode = FixedField<16>(block, DealerCode);
    info.StockInTime = FixedField<16>(block, StockInTime);
    info.SaleTime = FixedField<16>(block, SaleTime);
    info.Handler = FixedField<16>(block, Handler);
    return info;
}

void encodeRadioInfo(const RadioInfo& info, InfoBlock& block)
{
    PutText(block, SalesArea, 4, info.SalesArea);
    PutFixed(block, CustomerCode, info.CustomerCode);
    PutFixed(block, ProductionBatch, info.ProductionBatch);
    PutFixed(block, SerialNumber, info.SerialNumber);
    PutFixed(block, FactoryDate, info.FactoryDate);
    PutFixed(block, RepairDate, info.RepairDate);
    PutFixed(block, RepairReason, info.RepairReason);
    PutText(block, InfoVersion, 16, info.InfoVersion);
    PutFixed(block, DealerCode, info.DealerCode);
    PutFixed(block, StockInTime, info.StockInTime);
    PutFixed(block, SaleTime, info.SaleTime);
    PutFixed(block, Handler, info.Handler);
}

} // namespace zav::link
