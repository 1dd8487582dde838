#include "analyzer/use_solution.h"

#include "analyzer/solve.h"
#include "theory/chord_space.h"
#include "theory/compose_chord.h"
#include "theory/pitch.h"

namespace hq {
namespace {

constexpr int32_t kTrue = -1;

bool HoldsSolution(const AnalyzerState& analyzer, int32_t line) {
    return line >= 0 && line < analyzer.SolutionCount && static_cast<size_t>(line) < analyzer.Solutions.size();
}

}  // namespace

bool SelectSolution(AnalyzerState& analyzer, int32_t line) {
    if (!HoldsSolution(analyzer, line)) return false;
    analyzer.SelectedSolution = line;
    return true;
}

void UseSolution(AnalyzerState& analyzer, ChordDefinition& definition, ComposedChord& chord, Toolkit& toolkit,
                 int32_t grid) {
    if (!HoldsSolution(analyzer, analyzer.SelectedSolution)) {
        toolkit.Alert(kNoSolutionToUseAlert);
        return;
    }
    // A copy: a modal alert during composition lets other events in.
    const Solution s = analyzer.Solutions[static_cast<size_t>(analyzer.SelectedSolution)];
    const int32_t root = Mod12(s.RootPitch);
    const PitchEntry& rootEntry = kPitchEntries[static_cast<size_t>(root)];

    // In the order the panels compose them: class, extension, then the rest.
    const ChordShape shape = ShapeOfSolution(s);
    const auto fields = std::span<const ShapeField>(kShapeFields);
    ApplyShape(shape, definition, fields.first(1));
    definition.RootSharp = 0;
    toolkit.SetValue(grid, rootEntry.rootKid, kTrue);
    definition.RootFlat = rootEntry.flat;
    definition.RootLetterPitch = rootEntry.letterPitch;
    definition.RootLetter = rootEntry.rootLetter;
    definition.BassSelected = 0;
    if (s.ChordClass >= 0 && static_cast<size_t>(s.ChordClass) < kClassKids.size()) {
        toolkit.SetValue(grid, kClassKids[static_cast<size_t>(s.ChordClass)], kTrue);
    }
    ComposeChord(definition, chord, toolkit, grid);

    ApplyShape(shape, definition, fields.subspan(1, 1));
    ComposeChord(definition, chord, toolkit, grid);

    ApplyShape(shape, definition, fields.subspan(2));
    const int32_t bass = Mod12(s.BassPitch);
    if (bass != root) {
        const PitchEntry& bassEntry = kPitchEntries[static_cast<size_t>(bass)];
        definition.BassSelected = 1;
        definition.BassSharp = 0;
        toolkit.SetValue(grid, bassEntry.bassKid, kTrue);
        definition.BassFlat = bassEntry.flat;
        definition.BassLetterPitch = bassEntry.letterPitch;
        definition.BassLetter = bassEntry.bassLetter;
    } else {
        definition.BassSelected = 0;
    }
    analyzer.CandidateRoot = root;
    analyzer.LowestPitch = bass;
    ComposeChord(definition, chord, toolkit, grid);
}

void TakeDefinition(const ChordDefinition& wanted, ChordDefinition& definition, ComposedChord& chord,
                    Toolkit& toolkit, int32_t grid) {
    definition = wanted;
    toolkit.SetValue(grid, kPitchEntries[static_cast<size_t>(Mod12(wanted.RootLetterPitch))].rootKid, kTrue);
    if (wanted.ChordClass >= 0 && static_cast<size_t>(wanted.ChordClass) < kClassKids.size()) {
        toolkit.SetValue(grid, kClassKids[static_cast<size_t>(wanted.ChordClass)], kTrue);
    }
    if (wanted.BassSelected != 0) {
        toolkit.SetValue(grid, kPitchEntries[static_cast<size_t>(Mod12(wanted.BassLetterPitch))].bassKid, kTrue);
    }
    ComposeChord(definition, chord, toolkit, grid);
}

}  // namespace hq
