// ALSA and JACK side by side: one list of labelled ports per direction.

#include <gtest/gtest.h>

#include "midi/midi_systems.h"
#include "tests/keyboard/fakes.h"

namespace hq::kbd {
namespace {

using testing::FakeInPort;
using testing::FakeMidiOut;
using testing::FakeOutPort;

TEST(IsOwnPort, KnowsThisProgramsClientsOnBothSystems) {
    const struct {
        const char* port;
        bool own;
    } cases[] = {
        {"Harmoniqua:out", true},
        {"Harmoniqua-01:in", true},
        {"Harmoniqua:Harmoniqua 128:0", true},
        {"Harmoniquartet:out", false},
        {"Harmoniqua-sound:left", false},
        {"Harmoniqua-:in", false},
        {"Harmoniqua-1a:in", false},
        {"Synth:Harmoniqua", false},
        {"Harmoniqua", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsOwnPort(c.port, "Harmoniqua"), c.own) << c.port;
}

// Two systems of fakes, kept reachable after they are combined.
struct TwoSystems {
    TwoSystems(bool alsaWorks, bool jackWorks) {
        std::vector<LabelledSystem> systems;
        systems.push_back({"ALSA: ", Make(alsaWorks, alsa)});
        systems.push_back({"JACK: ", Make(jackWorks, jack)});
        combined = CombineMidiSystems(std::move(systems), "Harmoniqua");
    }

    struct Fakes {
        FakeInPort* in = nullptr;
        FakeOutPort* out = nullptr;
        FakeMidiOut* virtualOut = nullptr;
    };
    static MidiSystem Make(bool works, Fakes& fakes) {
        MidiSystem system;
        if (!works) {
            system.problem = "No MIDI system";
            return system;
        }
        auto in = std::make_unique<FakeInPort>();
        auto out = std::make_unique<FakeOutPort>();
        auto virtualOut = std::make_unique<FakeMidiOut>();
        fakes = {in.get(), out.get(), virtualOut.get()};
        system.input = std::move(in);
        system.output = std::move(out);
        system.virtualOutput = std::move(virtualOut);
        return system;
    }

    Fakes alsa, jack;
    MidiSystem combined;
};

TEST(CombinedMidiSystems, ListEachSystemsPortsUnderItsLabelWithoutOurOwn) {
    TwoSystems two(true, true);
    two.alsa.in->present = {"Piano:Piano MIDI 1 20:0", "Harmoniqua:Harmoniqua 128:0"};
    two.jack.in->present = {"Harmoniqua:out", "synth:midi_out", "Harmoniqua-02:out"};
    two.alsa.out->present = {"Midi Through:Port-0 14:0"};
    two.jack.out->present = {"Harmoniqua-01:in", "synth:midi_in"};
    EXPECT_EQ(two.combined.input->PortNames(),
              (std::vector<std::string>{"ALSA: Piano:Piano MIDI 1 20:0", "JACK: synth:midi_out"}));
    EXPECT_EQ(two.combined.output->PortNames(),
              (std::vector<std::string>{"ALSA: Midi Through:Port-0 14:0", "JACK: synth:midi_in"}));
}

TEST(CombinedMidiSystems, OpenTheChosenPortOnItsOwnSystemOnly) {
    const struct {
        const char* name;
        bool opens;
        const char* alsaOpen;
        const char* jackOpen;
    } cases[] = {
        {"JACK: synth:midi_in", true, "", "synth:midi_in"},
        {"ALSA: synth:midi_in", true, "synth:midi_in", ""},
        {"synth:midi_in", false, "", ""},
        {"JACK: gone:midi_in", false, "", ""},
    };
    for (const auto& c : cases) {
        TwoSystems two(true, true);
        two.alsa.out->present = {"synth:midi_in"};
        two.jack.out->present = {"synth:midi_in"};
        // Whatever was open before is closed by the new choice.
        ASSERT_TRUE(two.combined.output->Open("ALSA: synth:midi_in"));
        EXPECT_EQ(two.combined.output->Open(c.name), c.opens) << c.name;
        EXPECT_EQ(two.combined.output->IsOpen(), c.opens) << c.name;
        EXPECT_EQ(two.alsa.out->open, c.alsaOpen) << c.name;
        EXPECT_EQ(two.jack.out->open, c.jackOpen) << c.name;

        const std::vector<uint8_t> noteOn{0x90, 60, 100};
        two.combined.output->Send(noteOn);
        EXPECT_EQ(two.alsa.out->sent.size() + two.jack.out->sent.size(), c.opens ? 1U : 0U) << c.name;
        two.combined.output->Close();
        EXPECT_FALSE(two.combined.output->IsOpen()) << c.name;
    }
}

TEST(CombinedMidiSystems, EveryVirtualPortAndTheReceiverHearEverySystem) {
    TwoSystems two(true, true);
    const std::vector<uint8_t> noteOn{0x90, 64, 90};
    two.combined.virtualOutput->Send(noteOn);
    EXPECT_EQ(two.alsa.virtualOut->sent, (std::vector<std::vector<uint8_t>>{noteOn}));
    EXPECT_EQ(two.jack.virtualOut->sent, (std::vector<std::vector<uint8_t>>{noteOn}));

    std::vector<std::vector<uint8_t>> heard;
    two.combined.input->SetReceiver([&heard](std::span<const uint8_t> m) { heard.emplace_back(m.begin(), m.end()); });
    two.jack.in->present = {"keys:out"};
    ASSERT_TRUE(two.combined.input->Open("JACK: keys:out"));
    two.jack.in->Play({0x90, 67, 80});
    two.alsa.in->Play({0x90, 72, 80});  // not open: nothing arrives
    EXPECT_EQ(heard, (std::vector<std::vector<uint8_t>>{{0x90, 67, 80}}));
}

TEST(CombinedMidiSystems, ASystemThatFailedDropsOut) {
    const struct {
        bool alsaWorks, jackWorks;
        size_t listed;
        bool problem;
    } cases[] = {
        {true, true, 2, false},
        {false, true, 1, false},
        {true, false, 1, false},
        {false, false, 0, true},
    };
    for (const auto& c : cases) {
        TwoSystems two(c.alsaWorks, c.jackWorks);
        for (auto* fakes : {&two.alsa, &two.jack}) {
            if (fakes->in != nullptr) fakes->in->present = {"keys:out"};
        }
        EXPECT_EQ(two.combined.problem.empty(), !c.problem) << c.alsaWorks << c.jackWorks;
        EXPECT_EQ(two.combined.input == nullptr, c.problem);
        EXPECT_EQ(two.combined.virtualOutput == nullptr, c.problem);
        if (two.combined.input) {
            EXPECT_EQ(two.combined.input->PortNames().size(), c.listed);
        }
    }
}

}  // namespace
}  // namespace hq::kbd
