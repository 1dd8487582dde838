#include "theory/chord_definition.h"

#include <algorithm>

#include "platform/controls.h"

namespace hq {
namespace {

enum class Effect : uint8_t {
    RootLetter, RootFlat, RootSharp, ChordClass, Extension, SecondAdd, FourthAdd, SixthAdd,
    BassLetter, BassFlat, BassSharp, FlatThirteenth, SharpEleventh, NoThird, SharpNinth,
    FlatNinth, FlatFifth, SharpFifth, NoFifth,
};

struct StepRow {
    int32_t kid;
    Effect effect;
    int32_t value;            // the pitch, class or code the control stands for
    std::string_view letter;  // root and bass letters only
};

constexpr std::array<StepRow, 47> kStepRows{{
    {kid::RC, Effect::RootLetter, 0, "C"},
    {kid::RD, Effect::RootLetter, 2, "D"},
    {kid::RE, Effect::RootLetter, 4, "E"},
    {kid::RF, Effect::RootLetter, 5, "F"},
    {kid::RG, Effect::RootLetter, 7, "G"},
    {kid::RA, Effect::RootLetter, 9, "A"},
    {kid::RB, Effect::RootLetter, 11, "B"},
    {kid::Rb, Effect::RootFlat, 0, ""},
    {kid::Rs, Effect::RootSharp, 0, ""},
    {kid::Major, Effect::ChordClass, chord_class::Major, ""},
    {kid::Minor, Effect::ChordClass, chord_class::Minor, ""},
    {kid::Augmented, Effect::ChordClass, chord_class::Augmented, ""},
    {kid::Diminished, Effect::ChordClass, chord_class::Diminished, ""},
    {kid::E13, Effect::Extension, 13, ""},
    {kid::E11, Effect::Extension, 11, ""},
    {kid::E9, Effect::Extension, 9, ""},
    {kid::E7, Effect::Extension, 7, ""},
    {kid::E6, Effect::Extension, 6, ""},
    {kid::Emaj7, Effect::Extension, 8, ""},
    {kid::Emaj9, Effect::Extension, 10, ""},
    {kid::Emaj11, Effect::Extension, 12, ""},
    {kid::Emaj13, Effect::Extension, 14, ""},
    {kid::sus2, Effect::SecondAdd, 3, ""},
    {kid::sus4, Effect::FourthAdd, 3, ""},
    {kid::add2, Effect::SecondAdd, 2, ""},
    {kid::add9, Effect::SecondAdd, 9, ""},
    {kid::add4, Effect::FourthAdd, 4, ""},
    {kid::add11, Effect::FourthAdd, 11, ""},
    {kid::add6, Effect::SixthAdd, 6, ""},
    {kid::add13, Effect::SixthAdd, 13, ""},
    {kid::BC, Effect::BassLetter, 0, "/C"},
    {kid::BD, Effect::BassLetter, 2, "/D"},
    {kid::BE, Effect::BassLetter, 4, "/E"},
    {kid::BF, Effect::BassLetter, 5, "/F"},
    {kid::BG, Effect::BassLetter, 7, "/G"},
    {kid::BA, Effect::BassLetter, 9, "/A"},
    {kid::BB, Effect::BassLetter, 11, "/B"},
    {kid::Bb, Effect::BassFlat, 0, ""},
    {kid::Bs, Effect::BassSharp, 0, ""},
    {kid::Ab13, Effect::FlatThirteenth, 0, ""},
    {kid::As11, Effect::SharpEleventh, 0, ""},
    {kid::Ano3, Effect::NoThird, 0, ""},
    {kid::As9, Effect::SharpNinth, 0, ""},
    {kid::Ab9, Effect::FlatNinth, 0, ""},
    {kid::Ab5, Effect::FlatFifth, 0, ""},
    {kid::As5, Effect::SharpFifth, 0, ""},
    {kid::Ano5, Effect::NoFifth, 0, ""},
}};

const StepRow* FindRow(int32_t kidNumber) {
    auto it = std::find_if(kStepRows.begin(), kStepRows.end(),
                           [kidNumber](const StepRow& row) { return row.kid == kidNumber; });
    return it == kStepRows.end() ? nullptr : &*it;
}

}  // namespace

bool IsStepSelectionKid(int32_t kidNumber) { return FindRow(kidNumber) != nullptr; }

bool ApplyStepSelection(ChordDefinition& d, int32_t kidNumber, int32_t state) {
    const StepRow* row = FindRow(kidNumber);
    if (row == nullptr) return false;
    const bool on = state != 0;
    const int32_t flag = on ? 1 : 0;
    const int32_t code = on ? row->value : 0;

    switch (row->effect) {
        case Effect::RootLetter:
            d.BassSelected = 0;
            d.RootLetterPitch = row->value;
            d.RootLetter = row->letter;
            break;
        case Effect::RootFlat:
            d.BassSelected = 0;
            d.RootFlat = flag;
            if (on) d.RootSharp = 0;
            break;
        case Effect::RootSharp:
            d.BassSelected = 0;
            d.RootSharp = flag;
            if (on) d.RootFlat = 0;
            break;
        case Effect::ChordClass: d.ChordClass = row->value; break;
        case Effect::Extension: d.Extension = code; break;
        case Effect::SecondAdd: d.SecondAdd = code; break;
        case Effect::FourthAdd: d.FourthAdd = code; break;
        case Effect::SixthAdd: d.SixthAdd = code; break;
        case Effect::BassLetter:
            d.BassSelected = flag;
            d.BassLetterPitch = row->value;
            d.BassLetter = row->letter;
            break;
        case Effect::BassFlat:
            d.BassFlat = flag;
            if (on) d.BassSharp = 0;
            break;
        case Effect::BassSharp:
            d.BassSharp = flag;
            if (on) d.BassFlat = 0;
            break;
        // b13 and #5 are the same pitch, and so are #11 and b5.
        case Effect::FlatThirteenth:
            d.FlatThirteenth = flag;
            if (on && d.FifthAlteration == 1) d.FifthAlteration = 0;
            break;
        case Effect::SharpEleventh:
            d.SharpEleventh = flag;
            if (on && d.FifthAlteration == -1) d.FifthAlteration = 0;
            break;
        case Effect::NoThird:
            d.NoThird = flag;
            if (on) d.NoFifth = 0;
            break;
        case Effect::SharpNinth: d.NinthAlteration = on ? 1 : 0; break;
        case Effect::FlatNinth: d.NinthAlteration = on ? -1 : 0; break;
        case Effect::FlatFifth:
            d.FifthAlteration = on ? -1 : 0;
            if (on) d.NoFifth = d.SharpEleventh = 0;
            break;
        case Effect::SharpFifth:
            d.FifthAlteration = on ? 1 : 0;
            if (on) d.NoFifth = d.FlatThirteenth = 0;
            break;
        case Effect::NoFifth:
            d.NoFifth = flag;
            if (on) d.NoThird = d.FifthAlteration = 0;
            break;
    }
    return true;
}

}  // namespace hq
