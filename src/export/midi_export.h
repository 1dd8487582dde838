#pragma once
// A sequence's schedule as a Standard MIDI File: a tempo track with a marker
// per chord and one track of notes.

#include <cstdint>
#include <string>
#include <string_view>

#include "sequencer/export.h"
#include "sequencer/smf.h"

namespace hq {

/// round(ms × 960 × tempo / 60000): the tick of a moment at the tempo.
int64_t TickOfMs(int64_t ms, int32_t tempo);
/// round(60,000,000 / tempo).
uint32_t MicrosecondsPerQuarter(int32_t tempo);

/// Format 1, 960 ticks per quarter: a tempo track named `title` with 4/4,
/// the tempo and a marker per chord, and the "Chords" track on channel 1
/// with `program0to127` then the notes (note-offs first at equal ticks; a
/// note that would last no tick is left out).
SmfFile MidiFileOf(const ExportSchedule& schedule, std::string_view title, int32_t program0to127);

/// The base name of a path without its extension, for the tempo track's name.
std::string TitleOfPath(std::string_view path);

}  // namespace hq
