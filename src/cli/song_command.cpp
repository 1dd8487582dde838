#include "cli/song_command.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <optional>
#include <string_view>
#include <vector>

#include "analyzer/song_chords.h"
#include "app/routing.h"
#include "cli/arguments.h"
#include "cli/json.h"
#include "headless/session.h"
#include "platform/controls.h"
#include "platform/file_bytes.h"
#include "playback/step_timing.h"
#include "sequencer/sequence_file.h"

namespace hq {
namespace {

struct ChordsOfRequest {
    std::vector<std::string> songs;
    std::optional<std::string> chd;
};

std::optional<std::string> ParseChordsOf(std::span<const std::string> args, ChordsOfRequest& request) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!arg.starts_with("--")) {
            request.songs.emplace_back(arg);
            continue;
        }
        const auto [option, value] = TakeOption(args, i);
        if (option != "--chd") return UnknownOption(arg);
        if (!value || value->empty()) return std::string("missing value for --chd");
        request.chd = std::string(*value);
    }
    if (request.songs.empty()) return std::string("missing SONG.mid");
    return std::nullopt;
}

double Rounded(double value, double step) { return std::round(value / step) * step; }

void WriteChart(JsonWriter& json, const Song& song, const SongChart& chart) {
    json.Key("key").BeginObject().Key("tonic").Int(chart.key.tonic);
    json.Key("mode").String(chart.key.minor ? "minor" : "major").Key("name").String(KeyName(chart.key)).EndObject();
    json.Key("segments").BeginArray();
    const auto quarter = static_cast<double>(song.ticksPerQuarter);
    for (const SongSegment& s : chart.segments) {
        const auto start = static_cast<double>(s.startTick);
        const auto end = static_cast<double>(s.endTick);
        json.BeginObject().Key("startBeat").Number(Rounded(start / quarter, 1e-4));
        json.Key("endBeat").Number(Rounded(end / quarter, 1e-4));
        json.Key("startSeconds").Number(Rounded(SecondsAtTick(song, start), 1e-3));
        json.Key("endSeconds").Number(Rounded(SecondsAtTick(song, end), 1e-3));
        json.Key("name").String(s.Name());
        if (s.chord) {
            json.Key("RootPitch").Int(s.chord->RootPitch).Key("BassPitch").Int(*s.Bass());
        } else {
            json.Key("RootPitch").Null().Key("BassPitch").Null();
        }
        json.Key("pitchClasses").BeginArray();
        for (int32_t p : s.pitchClasses) json.Int(p);
        json.EndArray().Key("roman");
        if (s.chord) {
            json.String(s.roman);
        } else {
            json.Null();
        }
        json.Key("key").String(KeyName(s.key)).EndObject();
    }
    json.EndArray();
}

// The charts' chords as the sequence list would hold them, appended one by
// one in a session that otherwise keeps encode's defaults.
std::optional<std::string> WriteSequence(const std::string& path, const std::vector<SongChart>& charts, int32_t tempo) {
    HeadlessSession session;
    session.state.play.Tempo = tempo;
    for (const SongChart& chart : charts) {
        for (const SongSegment& s : chart.segments) {
            if (!s.chord) continue;
            TakeChordIntoPanels(session.program, s.chord->definition);
            session.Select(kid::AppendChord, 0);
        }
    }
    const ChordSequence& sequence = session.state.sequencer.sequence;
    if (sequence.Records.empty()) return std::string("no chords to write to ") + path;
    if (!session.toolkit.SaveStringArray(path, SequenceFileLines(sequence))) return "cannot write " + path;
    return std::nullopt;
}

}  // namespace

int ChordsOfCommand(std::span<const std::string> args, std::string& out, std::string& err) {
    ChordsOfRequest request;
    if (const std::optional<std::string> reason = ParseChordsOf(args, request)) {
        err += "harmoniqua-cli chords-of: " + *reason + "\n";
        return 2;
    }
    PrepareNaming();
    int status = 0;
    std::vector<SongChart> charts;
    std::optional<int32_t> tempo;
    JsonWriter json;
    json.BeginObject().Key("files").BeginArray();
    for (const std::string& path : request.songs) {
        json.BeginObject().Key("file").String(path);
        const std::optional<std::string> bytes = ReadFileBytes(path, kMaxSongBytes);
        SongReading reading = bytes ? ReadSong(*bytes) : SongReading(std::string("cannot be read"));
        if (const std::string* reason = std::get_if<std::string>(&reading)) {
            json.Key("error").String(*reason).EndObject();
            status = 1;
            continue;
        }
        const Song& song = std::get<Song>(reading);
        charts.push_back(ChartOfSong(song));
        WriteChart(json, song, charts.back());
        json.EndObject();
        if (!tempo) {
            tempo = std::clamp(FirstTempoBpm(song), kLowestTempo, kHighestTempo);
        }
    }
    json.EndArray().EndObject();
    out += json.str() + "\n";
    if (request.chd && !charts.empty()) {
        if (const std::optional<std::string> reason = WriteSequence(*request.chd, charts, *tempo)) {
            err += "harmoniqua-cli chords-of: " + *reason + "\n";
            status = 1;
        }
    }
    return status;
}

}  // namespace hq
