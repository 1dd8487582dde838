#pragma once
// Chord charts on the command line: a chart typed in, a sequence file
// transposed, a sequence file written out as a chart.

#include <span>
#include <string>

namespace hq {

/// harmoniqua-cli chart-in TEXT... [--file CHART.txt] [--tempo T] [--notes N]:
/// the sequence file of the chart's chords, each record as `encode --symbol`
/// prints it; a refused chart exits 2 with its bar and chord.
int ChartInCommand(std::span<const std::string> args, std::string& out, std::string& err);

/// harmoniqua-cli transpose FILE.chd SEMITONES [--spell auto|flats|sharps]:
/// the sequence file moved by -12..12 semitones.
int TransposeCommand(std::span<const std::string> args, std::string& out, std::string& err);

/// harmoniqua-cli chart FILE.chd: one record a bar, four bars a line.
int ChartCommand(std::span<const std::string> args, std::string& out, std::string& err);

}  // namespace hq
