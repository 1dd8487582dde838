#include "cli/chord_json.h"

#include "platform/controls.h"

namespace hq {
namespace {

void WriteDefinition(JsonWriter& json, const ChordDefinition& d) {
    json.BeginObject();
    for (const NumericField& field : kNumericFields) {
        json.Key(field.name).Int(d.*field.member);
        // The two letters stand after their pitches, as in the definition.
        if (field.member == &ChordDefinition::RootLetterPitch) json.Key("RootLetter").String(d.RootLetter);
        if (field.member == &ChordDefinition::BassLetterPitch) json.Key("BassLetter").String(d.BassLetter);
    }
    json.EndObject();
}

void WriteControls(JsonWriter& json, const HeadlessSession& session) {
    json.BeginObject();
    for (int32_t k = kid::RC; k <= kid::Ano5; ++k) {
        const ControlRow& row = *ControlAt(k);
        if (row.kind != ControlKind::RadioButton && row.kind != ControlKind::CheckBox) continue;
        const HeadlessToolkit::Control* control = session.toolkit.ControlOf(session.Grid(), k);
        json.Key(row.name).BeginObject();
        json.Key("checked").Bool(control != nullptr && control->value != 0);
        json.Key("enabled").Bool(control != nullptr && control->enabled);
        json.Key("disabledBy").BeginArray();
        if (control != nullptr) {
            for (const std::string& reason : control->disabledBy) json.String(reason);
        }
        json.EndArray();
        json.EndObject();
    }
    json.EndObject();
}

}  // namespace

void WriteDefinitionJson(JsonWriter& json, const ChordDefinition& definition) { WriteDefinition(json, definition); }

void WriteChordJson(JsonWriter& json, const HeadlessSession& session) {
    WriteChordJson(json, session, session.toolkit.Alerts());
}

void WriteChordJson(JsonWriter& json, const HeadlessSession& session, std::span<const std::string> alerts) {
    json.BeginObject();
    WriteChordMembers(json, session, alerts);
    json.EndObject();
}

void WriteChordMembers(JsonWriter& json, const HeadlessSession& session, std::span<const std::string> alerts) {
    const ComposedChord& c = session.state.chord;
    const bool bass = session.state.definition.BassSelected != 0;
    json.Key("Notation").String(c.Notation);
    json.Key("IntervalsText").String(c.IntervalsText);
    json.Key("BasicNotesText").String(c.BasicNotesText);
    json.Key("DistancesText").String(c.DistancesText);
    json.Key("IntervalMarks").BeginArray();
    for (int32_t m : c.IntervalMarks) json.Int(m);
    json.EndArray();
    json.Key("RootPitch").Int(c.RootPitch);
    json.Key("RootName").String(c.RootName);
    json.Key("BassPitch");
    if (bass) {
        json.Int(c.BassPitch);
    } else {
        json.Null();
    }
    json.Key("BassName").String(bass ? c.BassName : "");
    json.Key("BassIndex").Int(c.BassIndex);
    json.Key("alerts").BeginArray();
    for (const std::string& alert : alerts) json.String(alert);
    json.EndArray();
    json.Key("definition");
    WriteDefinition(json, session.state.definition);
    json.Key("controls");
    WriteControls(json, session);
}

}  // namespace hq
