#pragma once
// The main window's 103 controls, in creation order: a control's KidNumber is
// its index in kControls (row 0 stands for the window's own grid).

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace hq {

enum class ControlKind : uint8_t { Window, Label, RadioButton, CheckBox, PushButton, ListBox, ScrollBar };

/// Colour and font groups of the main window: each gets its own palette entry.
enum class AttributeGroup : uint8_t {
    Window,        // the window background
    StepPanel,     // Step panel labels and class captions
    RightPanel,    // right-hand panel labels and small labels
    DisplayPanel,  // the four display panel labels
    DisplayField,  // the display texts
    Button,        // radio buttons, check boxes, push buttons, scroll bars
    ListBox,
};

struct ControlRow {
    int32_t kid;
    std::string_view name;
    ControlKind kind;
    int32_t x, y, width, height;
    std::string_view caption;  // empty: none set
    std::string_view hint;     // empty: none set
    AttributeGroup group;
};

inline constexpr int32_t kControlCount = 103;

inline constexpr std::array<ControlRow, kControlCount + 1> kControls{{
    {0, "Chords", ControlKind::Window, 5, 434, 780, 302, "", "", AttributeGroup::Window},
    {1, "RootPanel", ControlKind::Label, 12, 12, 60, 232, "Root", "Step 1: Select just one Root Note in this panel", AttributeGroup::StepPanel},
    {2, "RC", ControlKind::RadioButton, 28, 36, 32, 20, "C", "Root Note C (Do)", AttributeGroup::Button},
    {3, "RD", ControlKind::RadioButton, 28, 56, 32, 20, "D", "Root Note D (Re)", AttributeGroup::Button},
    {4, "RE", ControlKind::RadioButton, 28, 76, 32, 20, "E", "Root Note E (Mi)", AttributeGroup::Button},
    {5, "RF", ControlKind::RadioButton, 28, 96, 32, 20, "F", "Root Note F (Fa)", AttributeGroup::Button},
    {6, "RG", ControlKind::RadioButton, 28, 116, 32, 20, "G", "Root Note G (So)", AttributeGroup::Button},
    {7, "RA", ControlKind::RadioButton, 28, 136, 32, 20, "A", "Root Note A (La)", AttributeGroup::Button},
    {8, "RB", ControlKind::RadioButton, 28, 156, 32, 20, "B", "Root Note B (Ti)", AttributeGroup::Button},
    {9, "Rb", ControlKind::CheckBox, 20, 188, 44, 20, "b", "Flat for selected Root Note", AttributeGroup::Button},
    {10, "Rs", ControlKind::CheckBox, 20, 208, 44, 20, "#", "Sharp for selected Root Note", AttributeGroup::Button},
    {11, "ClassPanel", ControlKind::Label, 80, 12, 120, 112, "Chord Class", "Step 2: Select just one Chord Type in this panel", AttributeGroup::StepPanel},
    {12, "ExtensionPanel", ControlKind::Label, 80, 132, 120, 112, "Exten.", "Step 3: Select just one optional Extension in this panel", AttributeGroup::StepPanel},
    {13, "Major", ControlKind::RadioButton, 92, 36, 36, 20, "", "Major Chord\n(M, MAJ, maj, Major)", AttributeGroup::Button},
    {14, "Minor", ControlKind::RadioButton, 92, 56, 36, 20, "m", "Minor Chord\n(m, minor, min, mi, -)", AttributeGroup::Button},
    {15, "Augmented", ControlKind::RadioButton, 92, 76, 36, 20, "aug", "Augmented Chord\n(aug, Aug, augmented, +)", AttributeGroup::Button},
    {16, "Diminished", ControlKind::RadioButton, 92, 96, 36, 20, "dim", "Diminished Chord\n(dim, Dim, diminished, o)", AttributeGroup::Button},
    {17, "MajorLabel", ControlKind::Label, 128, 36, 56, 20, "Major", "", AttributeGroup::StepPanel},
    {18, "MinorLabel", ControlKind::Label, 128, 56, 56, 20, "Minor", "", AttributeGroup::StepPanel},
    {19, "AugmLabel", ControlKind::Label, 128, 76, 56, 20, "Augm.", "", AttributeGroup::StepPanel},
    {20, "DiminLabel", ControlKind::Label, 128, 96, 56, 20, " Dimin.", "", AttributeGroup::StepPanel},
    {21, "E13", ControlKind::CheckBox, 84, 220, 44, 20, "13", "thirteenth", AttributeGroup::Button},
    {22, "E11", ControlKind::CheckBox, 84, 200, 44, 20, "11", "eleventh", AttributeGroup::Button},
    {23, "E9", ControlKind::CheckBox, 84, 180, 44, 20, "9", "ninth", AttributeGroup::Button},
    {24, "E7", ControlKind::CheckBox, 84, 160, 44, 20, "7", "seventh (dominant minor seventh)", AttributeGroup::Button},
    {25, "E6", ControlKind::CheckBox, 84, 140, 44, 20, "6", "sixth", AttributeGroup::Button},
    {26, "Emaj7", ControlKind::CheckBox, 128, 160, 68, 20, "maj7", "major seventh", AttributeGroup::Button},
    {27, "Emaj9", ControlKind::CheckBox, 128, 180, 68, 20, "maj9", "major ninth", AttributeGroup::Button},
    {28, "Emaj11", ControlKind::CheckBox, 128, 200, 68, 20, "maj11", "major eleventh", AttributeGroup::Button},
    {29, "Emaj13", ControlKind::CheckBox, 128, 220, 68, 20, "maj13", "major thirteenth", AttributeGroup::Button},
    {30, "SuspAddsPanel", ControlKind::Label, 208, 12, 144, 144, "Susp.- Adds", "Step 4: Select one or more optional Suspensions and/or Additions in this panel", AttributeGroup::StepPanel},
    {31, "sus2", ControlKind::CheckBox, 244, 36, 68, 20, "sus2", "Suspended second\n(suppressed third & added second)", AttributeGroup::Button},
    {32, "sus4", ControlKind::CheckBox, 244, 84, 68, 20, "sus4", "Suspended fourth\n(suppressed third & added fourth)\nAlso notated as sus only", AttributeGroup::Button},
    {33, "add2", ControlKind::CheckBox, 212, 56, 68, 20, "add2", "Added second\nAlso notated /2", AttributeGroup::Button},
    {34, "add9", ControlKind::CheckBox, 280, 56, 68, 20, "add9", "Added ninth\nAlso notated /9", AttributeGroup::Button},
    {35, "add4", ControlKind::CheckBox, 212, 104, 68, 20, "add4", "Added fourth\nAlso notated /4", AttributeGroup::Button},
    {36, "add11", ControlKind::CheckBox, 280, 104, 68, 20, "add11", "Added eleventh\nAlso notated /11", AttributeGroup::Button},
    {37, "add6", ControlKind::CheckBox, 212, 132, 68, 20, "add6", "Added sixth\nAlso notated /6", AttributeGroup::Button},
    {38, "add13", ControlKind::CheckBox, 280, 132, 68, 20, "add13", "Added thirteenth\nAlso notated /13", AttributeGroup::Button},
    {39, "BassNotePanel", ControlKind::Label, 360, 12, 96, 144, "/Bass Note", "Step 6: Select just one optional Bass Note\nThis defines a chord invertion", AttributeGroup::StepPanel},
    {40, "BC", ControlKind::CheckBox, 364, 36, 44, 20, "/C", "Bass Note C (Do)", AttributeGroup::Button},
    {41, "BD", ControlKind::CheckBox, 408, 36, 44, 20, "/D", "Bass Note D (Re)", AttributeGroup::Button},
    {42, "BE", ControlKind::CheckBox, 364, 56, 44, 20, "/E", "Bass Note E (Mi)", AttributeGroup::Button},
    {43, "BF", ControlKind::CheckBox, 408, 56, 44, 20, "/F", "Bass Note F (Fa)", AttributeGroup::Button},
    {44, "BG", ControlKind::CheckBox, 364, 76, 44, 20, "/G", "Bass Note G (So)", AttributeGroup::Button},
    {45, "BA", ControlKind::CheckBox, 408, 76, 44, 20, "/A", "Bass Note A (La)", AttributeGroup::Button},
    {46, "BB", ControlKind::CheckBox, 388, 96, 44, 20, "/B", "Bass Note B (Ti)", AttributeGroup::Button},
    {47, "Bb", ControlKind::CheckBox, 364, 124, 44, 20, "b", "Flat for selected Bass Note", AttributeGroup::Button},
    {48, "Bs", ControlKind::CheckBox, 408, 124, 44, 20, "#", "Sharp for selected Bass Note", AttributeGroup::Button},
    {49, "AlterationsPanel", ControlKind::Label, 208, 164, 248, 80, "Alterations", "Step 5: Select one or more optional Alterations in this panel", AttributeGroup::StepPanel},
    {50, "Ab13", ControlKind::CheckBox, 316, 216, 52, 20, "b13", "Flat thirdteenth\nAlso notated -13", AttributeGroup::Button},
    {51, "As11", ControlKind::CheckBox, 264, 176, 52, 20, "#11", "Sharp eleventh\nAlso notated +11", AttributeGroup::Button},
    {52, "Ano3", ControlKind::CheckBox, 212, 216, 52, 20, "no3", "Supressed third\nTo define the Power Chord or X5 interval", AttributeGroup::Button},
    {53, "As9", ControlKind::CheckBox, 400, 216, 52, 20, "#9", "Sharp ninth\nAlso notated +9", AttributeGroup::Button},
    {54, "Ab9", ControlKind::CheckBox, 400, 196, 52, 20, "b9", "Flat ninth\nAlso notated -9", AttributeGroup::Button},
    {55, "Ab5", ControlKind::CheckBox, 264, 196, 52, 20, "b5", "Flat fifth\nAlso notated -5", AttributeGroup::Button},
    {56, "As5", ControlKind::CheckBox, 316, 196, 52, 20, "#5", "Sharp fifth\nAlso notated +5", AttributeGroup::Button},
    {57, "Ano5", ControlKind::CheckBox, 212, 196, 52, 20, "no5", "No fifth (supressed fifth)\nUsed to supress optional fifth within extensions", AttributeGroup::Button},
    {58, "NotationPanel", ControlKind::Label, 12, 252, 144, 40, "Notation", "Standard Chord Notation panel", AttributeGroup::DisplayPanel},
    {59, "IntervalsPanel", ControlKind::Label, 164, 252, 140, 40, "Intervals", "Chord Intervals composition panel", AttributeGroup::DisplayPanel},
    {60, "BasicNotesPanel", ControlKind::Label, 312, 252, 144, 40, "Basic Notes", "Chord Basic Notes panel", AttributeGroup::DisplayPanel},
    {61, "NotationDisplay", ControlKind::Label, 16, 268, 136, 20, "Cmaj13b5/Gb", "Displays standard chord notation", AttributeGroup::DisplayField},
    {62, "IntervalsDisplay", ControlKind::Label, 168, 268, 132, 20, "1-3-/b5-7-9-11-13", "Displays Intervals composition of chord", AttributeGroup::DisplayField},
    {63, "BasicNotesDisplay", ControlKind::Label, 316, 268, 136, 20, "C,E,/Gb,B,D,F,A", "Displays Basic Notes of the chord\nThe / signals the first (bass) note of the chord", AttributeGroup::DisplayField},
    {64, "DistancesPanel", ControlKind::Label, 464, 252, 148, 40, "Root Distances", "Root Distances panel", AttributeGroup::DisplayPanel},
    {65, "ExtraButton1", ControlKind::PushButton, 620, 252, 148, 20, "TRANSITIONS MAP", "Opens chords transition map window", AttributeGroup::Button},
    {66, "DistancesDisplay", ControlKind::Label, 468, 268, 140, 20, "4-/6-11-14-17-21", "Displays distances to root in semitones", AttributeGroup::DisplayField},
    {67, "ExtraButton2", ControlKind::PushButton, 620, 272, 148, 20, "CIRCLE OF FIFTHS", "Opens the circle of fifths window", AttributeGroup::Button},
    {68, "SequencerPanel", ControlKind::Label, 464, 184, 304, 60, "Chords Sequencer     ", "Chords Sequencer Panel\nSee below the list of chords where\nyou may select and edit", AttributeGroup::RightPanel},
    {69, "AppendChord", ControlKind::PushButton, 468, 188, 72, 16, "Append", "Append current chord to the end of the sequence list", AttributeGroup::Button},
    {70, "ClearAllChords", ControlKind::PushButton, 468, 204, 72, 16, "Clear All", "Remove all chords from the sequence list", AttributeGroup::Button},
    {71, "LoadSequence", ControlKind::PushButton, 468, 224, 72, 16, "LOAD", "Load a sequence of chords from disk", AttributeGroup::Button},
    {72, "SaveSequence", ControlKind::PushButton, 540, 224, 72, 16, "SAVE", "Save this sequence of chords to disk", AttributeGroup::Button},
    {73, "PlaySequence", ControlKind::PushButton, 620, 224, 72, 16, "PLAY", "Play the chord sequence.\nUse the Tempo Slider before\nto set the time for each chord.", AttributeGroup::Button},
    {74, "StopSequence", ControlKind::PushButton, 692, 224, 72, 16, "STOP", "Stop playing the chord sequence", AttributeGroup::Button},
    {75, "InsertChord", ControlKind::PushButton, 540, 188, 72, 16, "Insert", "Insert current chord above the\nselected chord in the sequence list", AttributeGroup::Button},
    {76, "RemoveChord", ControlKind::PushButton, 540, 204, 72, 16, "Remove", "Remove selected chord from the sequence list", AttributeGroup::Button},
    {77, "ChordsList", ControlKind::ListBox, 620, 200, 144, 20, "Empty List", "", AttributeGroup::ListBox},
    {78, "AnalyzerPanel", ControlKind::Label, 464, 132, 304, 44, "Chord Analyzer     ", "Chord Analyzer panel\nSee below the solutions list for the\ncaptured chord where you may\nselect one for analyze and use", AttributeGroup::RightPanel},
    {79, "SolutionsList", ControlKind::ListBox, 620, 152, 144, 20, "No Solution", "Solutions list for the captured chord\nand selected solution display ", AttributeGroup::ListBox},
    {80, "CaptureSolve", ControlKind::PushButton, 468, 140, 144, 16, "Capture & Solve", "Click on this button while holding the chord to solve it either\nlocking keys in the keyboard panel or holding keys in your MIDI keyboard", AttributeGroup::Button},
    {81, "UseSolution", ControlKind::PushButton, 468, 156, 144, 16, "Use this solution", "Click on this to use the selected solution (at the right)\nin all other panels including the Chords Sequencer", AttributeGroup::Button},
    {82, "DisplayPlayPanel", ControlKind::Label, 464, 12, 304, 112, "Chord Display & Play    ", "Chord display and play panel", AttributeGroup::RightPanel},
    {83, "ArrangeLabel", ControlKind::Label, 468, 20, 72, 16, "Arrange", "Select below for different arrangements of the chord", AttributeGroup::RightPanel},
    {84, "RepeatLabel", ControlKind::Label, 544, 20, 68, 16, "Repeat", "Check below to repeat some\nnotes in the next octave/s", AttributeGroup::RightPanel},
    {85, "ArrangeClosest", ControlKind::RadioButton, 468, 36, 72, 16, "Closest", "Closest arrangement for the notes of the chord\ndistributing notes in up to two octaves\nfor closest fit to specific intervals", AttributeGroup::Button},
    {86, "ArrangeOctave", ControlKind::RadioButton, 468, 52, 72, 16, "1 Octave", "Compress all notes of the chord in one octave", AttributeGroup::Button},
    {87, "ArrangeHarmonic", ControlKind::RadioButton, 468, 68, 72, 16, "Harmonic", "Spreads notes of the chord to different octaves\nto aproach true harmonics of the root", AttributeGroup::Button},
    {88, "ArrangeRandom", ControlKind::RadioButton, 468, 84, 72, 16, "Random", "Randomly distributes notes in different octaves\nWhen selected, a different combination is created each\ntime you press SHOW & PLAY ONCE below", AttributeGroup::Button},
    {89, "PlayOnce", ControlKind::PushButton, 468, 104, 144, 16, "SHOW & PLAY ONCE", "Click to show the chord in the keyboard and play\nit once (all notes simultaneously during one second)", AttributeGroup::Button},
    {90, "PlayRep", ControlKind::PushButton, 620, 104, 72, 16, "REP.PLAY", "Click for repeated play of the specified arpeggio", AttributeGroup::Button},
    {91, "StopRep", ControlKind::PushButton, 692, 104, 72, 16, "STOP", "Click to stop playing the arpeggio", AttributeGroup::Button},
    {92, "RepeatRoot", ControlKind::CheckBox, 544, 36, 68, 16, "Root", "Repeat Root note in the next octave", AttributeGroup::Button},
    {93, "RepeatBass", ControlKind::CheckBox, 544, 52, 68, 16, "Bass", "Repeat Bass note in the next octave", AttributeGroup::Button},
    {94, "RepeatFifth", ControlKind::CheckBox, 544, 68, 68, 16, "Fifth", "Repeat note corresponding to\nfifth in the next octave", AttributeGroup::Button},
    {95, "RepeatAll", ControlKind::CheckBox, 544, 84, 68, 16, "All", "Repeat all notes in all following octaves\nThis is nice for Arpeggio playing", AttributeGroup::Button},
    {96, "ArpeggioLabel", ControlKind::Label, 620, 36, 144, 16, "Arpeggio playing", "Repeated arpeggio playing parameters below", AttributeGroup::RightPanel},
    {97, "TempoBar", ControlKind::ScrollBar, 684, 56, 80, 12, "", "Tempo slider in beats per minute\nWorks with lower left indicator\nClick at top extremes to step one", AttributeGroup::Button},
    {98, "Up", ControlKind::CheckBox, 620, 52, 60, 16, "Up", "Check for play notes in ascending order\nYou may also combine it with [Down] below", AttributeGroup::Button},
    {99, "Down", ControlKind::CheckBox, 620, 68, 60, 16, "Down", "Check for play notes in descending order\nIf neither [Up] nor [Down] then\nresults in simultaneous playing", AttributeGroup::Button},
    {100, "TempoDisplay", ControlKind::Label, 684, 84, 36, 16, "180", "Tempo indicator in beats per minute\nWorks with up most slider", AttributeGroup::DisplayField},
    {101, "NotesMeasureBar", ControlKind::ScrollBar, 684, 68, 80, 12, "", "Notes per measure slider\nWorks with lower right indicator\nClick at top extremes to step one", AttributeGroup::Button},
    {102, "NotesMeasureDisplay", ControlKind::Label, 728, 84, 36, 16, "6", "Notes per measure indicator\nWorks with nearest up slider", AttributeGroup::DisplayField},
    {103, "Fill", ControlKind::CheckBox, 620, 84, 60, 16, "Fill", "Extends notes duration\nproducing some overlap", AttributeGroup::Button},
}};

/// KidNumbers by control name.
namespace kid {
inline constexpr int32_t RootPanel = 1;
inline constexpr int32_t RC = 2;
inline constexpr int32_t RD = 3;
inline constexpr int32_t RE = 4;
inline constexpr int32_t RF = 5;
inline constexpr int32_t RG = 6;
inline constexpr int32_t RA = 7;
inline constexpr int32_t RB = 8;
inline constexpr int32_t Rb = 9;
inline constexpr int32_t Rs = 10;
inline constexpr int32_t ClassPanel = 11;
inline constexpr int32_t ExtensionPanel = 12;
inline constexpr int32_t Major = 13;
inline constexpr int32_t Minor = 14;
inline constexpr int32_t Augmented = 15;
inline constexpr int32_t Diminished = 16;
inline constexpr int32_t MajorLabel = 17;
inline constexpr int32_t MinorLabel = 18;
inline constexpr int32_t AugmLabel = 19;
inline constexpr int32_t DiminLabel = 20;
inline constexpr int32_t E13 = 21;
inline constexpr int32_t E11 = 22;
inline constexpr int32_t E9 = 23;
inline constexpr int32_t E7 = 24;
inline constexpr int32_t E6 = 25;
inline constexpr int32_t Emaj7 = 26;
inline constexpr int32_t Emaj9 = 27;
inline constexpr int32_t Emaj11 = 28;
inline constexpr int32_t Emaj13 = 29;
inline constexpr int32_t SuspAddsPanel = 30;
inline constexpr int32_t sus2 = 31;
inline constexpr int32_t sus4 = 32;
inline constexpr int32_t add2 = 33;
inline constexpr int32_t add9 = 34;
inline constexpr int32_t add4 = 35;
inline constexpr int32_t add11 = 36;
inline constexpr int32_t add6 = 37;
inline constexpr int32_t add13 = 38;
inline constexpr int32_t BassNotePanel = 39;
inline constexpr int32_t BC = 40;
inline constexpr int32_t BD = 41;
inline constexpr int32_t BE = 42;
inline constexpr int32_t BF = 43;
inline constexpr int32_t BG = 44;
inline constexpr int32_t BA = 45;
inline constexpr int32_t BB = 46;
inline constexpr int32_t Bb = 47;
inline constexpr int32_t Bs = 48;
inline constexpr int32_t AlterationsPanel = 49;
inline constexpr int32_t Ab13 = 50;
inline constexpr int32_t As11 = 51;
inline constexpr int32_t Ano3 = 52;
inline constexpr int32_t As9 = 53;
inline constexpr int32_t Ab9 = 54;
inline constexpr int32_t Ab5 = 55;
inline constexpr int32_t As5 = 56;
inline constexpr int32_t Ano5 = 57;
inline constexpr int32_t NotationPanel = 58;
inline constexpr int32_t IntervalsPanel = 59;
inline constexpr int32_t BasicNotesPanel = 60;
inline constexpr int32_t NotationDisplay = 61;
inline constexpr int32_t IntervalsDisplay = 62;
inline constexpr int32_t BasicNotesDisplay = 63;
inline constexpr int32_t DistancesPanel = 64;
inline constexpr int32_t ExtraButton1 = 65;
inline constexpr int32_t DistancesDisplay = 66;
inline constexpr int32_t ExtraButton2 = 67;
inline constexpr int32_t SequencerPanel = 68;
inline constexpr int32_t AppendChord = 69;
inline constexpr int32_t ClearAllChords = 70;
inline constexpr int32_t LoadSequence = 71;
inline constexpr int32_t SaveSequence = 72;
inline constexpr int32_t PlaySequence = 73;
inline constexpr int32_t StopSequence = 74;
inline constexpr int32_t InsertChord = 75;
inline constexpr int32_t RemoveChord = 76;
inline constexpr int32_t ChordsList = 77;
inline constexpr int32_t AnalyzerPanel = 78;
inline constexpr int32_t SolutionsList = 79;
inline constexpr int32_t CaptureSolve = 80;
inline constexpr int32_t UseSolution = 81;
inline constexpr int32_t DisplayPlayPanel = 82;
inline constexpr int32_t ArrangeLabel = 83;
inline constexpr int32_t RepeatLabel = 84;
inline constexpr int32_t ArrangeClosest = 85;
inline constexpr int32_t ArrangeOctave = 86;
inline constexpr int32_t ArrangeHarmonic = 87;
inline constexpr int32_t ArrangeRandom = 88;
inline constexpr int32_t PlayOnce = 89;
inline constexpr int32_t PlayRep = 90;
inline constexpr int32_t StopRep = 91;
inline constexpr int32_t RepeatRoot = 92;
inline constexpr int32_t RepeatBass = 93;
inline constexpr int32_t RepeatFifth = 94;
inline constexpr int32_t RepeatAll = 95;
inline constexpr int32_t ArpeggioLabel = 96;
inline constexpr int32_t TempoBar = 97;
inline constexpr int32_t Up = 98;
inline constexpr int32_t Down = 99;
inline constexpr int32_t TempoDisplay = 100;
inline constexpr int32_t NotesMeasureBar = 101;
inline constexpr int32_t NotesMeasureDisplay = 102;
inline constexpr int32_t Fill = 103;
}  // namespace kid

/// The row of a KidNumber, or nothing for numbers outside 0..103.
constexpr const ControlRow* ControlAt(int32_t kidNumber) {
    if (kidNumber < 0 || kidNumber > kControlCount) return nullptr;
    return &kControls[static_cast<size_t>(kidNumber)];
}

/// KidNumber of a control name (case-sensitive), or nothing.
std::optional<int32_t> KidByName(std::string_view name);

/// First KidNumber of the radio group holding `kidNumber` (a run of adjacent
/// radio buttons), or nothing when it is not a radio button.
std::optional<int32_t> RadioGroupStart(int32_t kidNumber);

/// True for every KidNumber in the same radio group as `kidNumber`.
bool SameRadioGroup(int32_t a, int32_t b);

}  // namespace hq
