#include "radio_info.h"

#include <algorithm>

namespace zav::link {
namespace {

using namespace info_offsets;

// Fixed-width field: the bytes as stored, erased bytes (0xFF) read as NUL.
template <std::size_t N>
FixedText<N> fixedField(const InfoBlock& block, int offset)
{
    FixedText<N> text;
    for (std::size_t i = 0; i < N; ++i) {
        const std::uint8_t b = block[static_cast<std::size_t>(offset) + i];
        text.bytes[i] = b == 0xFF ? '\0' : static_cast<char>(b);
    }
    return text;
}

// Free text: ends at the first 0x00 or 0xFF.
std::string textField(const InfoBlock& block, int offset, int size)
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
void putFixed(InfoBlock& block, int offset, const FixedText<N>& text)
{
    for (std::size_t i = 0; i < N; ++i)
        block[static_cast<std::size_t>(offset) + i] = static_cast<std::uint8_t>(text.bytes[i]);
}

void putText(InfoBlock& block, int offset, int size, const std::string& text)
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
    info.SalesArea = textField(block, SalesArea, 4);
    info.CustomerCode = fixedField<4>(block, CustomerCode);
    info.ProductionBatch = fixedField<8>(block, ProductionBatch);
    info.SerialNumber = fixedField<16>(block, SerialNumber);
    info.FactoryDate = fixedField<16>(block, FactoryDate);
    info.RepairDate = fixedField<16>(block, RepairDate);
    info.RepairReason = fixedField<96>(block, RepairReason);
    info.InfoVersion = textField(block, InfoVersion, 16);
    info.DealerCode = fixedField<16>(block, DealerCode);
    info.StockInTime = fixedField<16>(block, StockInTime);
    info.SaleTime = fixedField<16>(block, SaleTime);
    info.Handler = fixedField<16>(block, Handler);
    return info;
}

void encodeRadioInfo(const RadioInfo& info, InfoBlock& block)
{
    putText(block, SalesArea, 4, info.SalesArea);
    putFixed(block, CustomerCode, info.CustomerCode);
    putFixed(block, ProductionBatch, info.ProductionBatch);
    putFixed(block, SerialNumber, info.SerialNumber);
    putFixed(block, FactoryDate, info.FactoryDate);
    putFixed(block, RepairDate, info.RepairDate);
    putFixed(block, RepairReason, info.RepairReason);
    putText(block, InfoVersion, 16, info.InfoVersion);
    putFixed(block, DealerCode, info.DealerCode);
    putFixed(block, StockInTime, info.StockInTime);
    putFixed(block, SaleTime, info.SaleTime);
    putFixed(block, Handler, info.Handler);
}

} // namespace zav::link
