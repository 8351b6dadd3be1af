#pragma once

// The field lists of the image records, declared once in file order with
// their member names. The file layout, the JSON dump and the field diff all
// walk these lists, so a field can never be added to one and missed by the
// others.
//
// A visitor is called as v(name, field) for Int16, std::uint8_t, FixedText<N>,
// std::array<...> of those, and as v.record(name, subrecord, fn) for nested
// records, where fn(v, subrecord) visits the subrecord's fields.

#include "radio_image.h"

namespace zav {

template <class V, class R>
void visitChannelFields(V& v, R& r)
{
    v("Number", r.Number);
    v("EmptyFlag", r.EmptyFlag);
    v("Option7", r.Option7);
    v("RxFrequency", r.RxFrequency);
    v("RxTone", r.RxTone);
    v("TxTone", r.TxTone);
    v("Option27", r.Option27);
    v("Option44", r.Option44);
    v("Option26", r.Option26);
    v("Option43", r.Option43);
    v("Option25", r.Option25);
    v("Option42", r.Option42);
    v("Option37", r.Option37);
    v("Option38", r.Option38);
    v("Option39", r.Option39);
    v("Option40", r.Option40);
    v("Option41", r.Option41);
    v("Option11", r.Option11);
    v("Option23", r.Option23);
    v("Option24", r.Option24);
    v("Option13", r.Option13);
    v("Option22", r.Option22);
    v("Option28", r.Option28);
    v("OffsetDirection", r.OffsetDirection);
    v("Offset", r.Offset);
    v("RxStepClass", r.RxStepClass);
    v("TxStepClass", r.TxStepClass);
    v("Option15", r.Option15);
    v("Option12", r.Option12);
    v("Option14", r.Option14);
    v("Option16", r.Option16);
    v("Option21", r.Option21);
    v("Option18", r.Option18);
    v("Option10", r.Option10);
    v("Option9", r.Option9);
    v("Option8", r.Option8);
    v("Option19", r.Option19);
    v("Option17", r.Option17);
    v("Option29", r.Option29);
    v("Option30", r.Option30);
}

template <class V, class R>
void visitDtmfCodeFields(V& v, R& r)
{
    v("Length", r.Length);
    v("Code", r.Code);
}

template <class V, class R>
void visitDtmfFields(V& v, R& r)
{
    v("DigitRate", r.DigitRate);
    v("FirstDigitTime", r.FirstDigitTime);
    v("FirstDigitDelay", r.FirstDigitDelay);
    v("StarHashTime", r.StarHashTime);
    v("DKeySetting", r.DKeySetting);
    v("Sidetone", r.Sidetone);
    v("CallAlert", r.CallAlert);
    v("GroupCode", r.GroupCode);
    v("AutoResetTime", r.AutoResetTime);
    v("IdCode", r.IdCode);
    v("IdCodeLength", r.IdCodeLength);
    auto code = [](V& cv, auto& c) { visitDtmfCodeFields(cv, c); };
    v.record("PttIdBot", r.PttIdBot, code);
    v.record("PttIdEot", r.PttIdEot, code);
    v.record("StunCode", r.StunCode, code);
    v.record("KillCode", r.KillCode, code);
    v.records("CodeMemories", r.CodeMemories, code);
}

template <class V, class R>
void visitOptFeatFields(V& v, R& r)
{
    v("Common1", r.Common1);
    v.record("CommonChannel", r.CommonChannel, [](V& cv, auto& c) { visitChannelFields(cv, c); });
    v("PowerOnText", r.PowerOnText);
    v("Common2", r.Common2);
}

template <class V, class R>
void visitRadioImageFields(V& v, R& r)
{
    v.record("Header", r.Header, [](V& hv, auto& h) {
        hv("Model", h.Model);
        hv("BandCode", h.BandCode);
        hv("Version", h.Version);
    });
    v("ChannelMode", r.ChannelMode);
    v("ChannelCount", r.ChannelCount);
    v.records("RadioList", r.RadioList, [](V& ev, auto& e) {
        ev("Flag", e.Flag);
        ev("Frequency", e.Frequency);
    });
    v.records("TestFrequencies", r.TestFrequencies, [](V& pv, auto& p) {
        pv("First", p.First);
        pv("Second", p.Second);
    });
    v.record("OptFeat", r.OptFeat, [](V& ov, auto& o) { visitOptFeatFields(ov, o); });
    v.record("DtmfSettings", r.DtmfSettings, [](V& dv, auto& d) { visitDtmfFields(dv, d); });
    v("EmbeddedMessage", r.EmbeddedMessage);
    v("KeySettings", r.KeySettings);
    v("AlertSettings", r.AlertSettings);
    v("ScanSettings", r.ScanSettings);
    v.records("ToneTips", r.ToneTips, [](V& tv, auto& t) { tv("Values", t.Values); });
    v("GroupNames", r.GroupNames);
    v("StandbyChannelCount", r.StandbyChannelCount);
    v("StandbySettings", r.StandbySettings);
    v("StandbyGroupNames", r.StandbyGroupNames);
}

} // namespace zav
