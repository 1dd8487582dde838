#pragma once
// The order Tab walks the main window in: panel by panel as they are laid
// out, and inside a panel row by row, left to right. Radio groups list every
// button; the toolkit stops only on the checked one.

#include <array>
#include <cstdint>

#include "platform/controls.h"

namespace hq::ui {

inline constexpr std::array<int32_t, 77> kTabOrder{
    // Root
    kid::RC, kid::RD, kid::RE, kid::RF, kid::RG, kid::RA, kid::RB, kid::Rb, kid::Rs,
    // Chord Class
    kid::Major, kid::Minor, kid::Augmented, kid::Diminished,
    // Extension: the plain column top-down, then the major column
    kid::E6, kid::E7, kid::E9, kid::E11, kid::E13, kid::Emaj7, kid::Emaj9, kid::Emaj11, kid::Emaj13,
    // Suspensions and additions
    kid::sus2, kid::add2, kid::add9, kid::sus4, kid::add4, kid::add11, kid::add6, kid::add13,
    // Alterations
    kid::As11, kid::Ano5, kid::Ab5, kid::As5, kid::Ab9, kid::Ano3, kid::Ab13, kid::As9,
    // Bass Note
    kid::BC, kid::BD, kid::BE, kid::BF, kid::BG, kid::BA, kid::BB, kid::Bb, kid::Bs,
    // Display and play
    kid::ArrangeClosest, kid::ArrangeOctave, kid::ArrangeHarmonic, kid::ArrangeRandom,
    kid::RepeatRoot, kid::RepeatBass, kid::RepeatFifth, kid::RepeatAll, kid::Up, kid::Down, kid::Fill,
    kid::TempoBar, kid::NotesMeasureBar, kid::PlayOnce, kid::PlayRep, kid::StopRep,
    // Analyzer
    kid::CaptureSolve, kid::UseSolution, kid::SolutionsList,
    // Sequencer
    kid::AppendChord, kid::InsertChord, kid::ClearAllChords, kid::RemoveChord, kid::ChordsList,
    kid::LoadSequence, kid::SaveSequence, kid::PlaySequence, kid::StopSequence,
    // Picture windows
    kid::ExtraButton1, kid::ExtraButton2,
};

}  // namespace hq::ui
