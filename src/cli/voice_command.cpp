#include "cli/voice_command.h"

#include <optional>
#include <vector>

#include "cli/json.h"
#include "headless/headless_toolkit.h"
#include "playback/voicing.h"
#include "sequencer/sequence_file.h"
#include "sequencer/sequence_player.h"

namespace hq {

int VoiceCommand(std::span<const std::string> args, std::string& out, std::string& err) {
    if (args.size() != 1 || args[0].starts_with("--")) {
        err += "harmoniqua-cli voice: needs FILE.chd and nothing else\n";
        return 2;
    }
    HeadlessToolkit files;
    const std::optional<ChordSequence> sequence = ParseSequenceFile(files.LoadStringArray(args[0]));
    if (!sequence) {
        err += std::string(kInvalidFileAlert) + "\n";
        return 1;
    }
    const std::vector<ComposedChord> chords = ComposeRecords(sequence->Records);
    const std::vector<Voicing> voicings = VoiceSequence(chords);

    JsonWriter json;
    json.BeginObject().Key("voicings").BeginArray();
    for (size_t k = 0; k < voicings.size(); ++k) {
        json.BeginObject().Key("record").Int(static_cast<int64_t>(k));
        json.Key("notation").String(chords[k].Notation);
        json.Key("bass").Int(voicings[k].bass);
        json.Key("upper").BeginArray();
        for (int32_t note : voicings[k].upper) json.Int(note);
        json.EndArray().EndObject();
    }
    json.EndArray().Key("cost").Int(SequenceCost(voicings)).EndObject();
    out += json.str() + "\n";
    return 0;
}

}  // namespace hq
