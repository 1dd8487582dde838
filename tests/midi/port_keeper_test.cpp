// Remembering MIDI ports by name: choosing, losing and finding them again.

#include <gtest/gtest.h>

#include "midi/port_keeper.h"
#include "tests/keyboard/fakes.h"

namespace hq::kbd {
namespace {

using testing::FakeOutPort;

TEST(SamePort, AllowsForTheSystemsChangingNumbers) {
    const struct {
        const char* remembered;
        const char* listed;
        bool same;
    } cases[] = {
        {"Piano:Piano MIDI 1 20:0", "Piano:Piano MIDI 1 20:0", true},
        {"Piano:Piano MIDI 1 20:0", "Piano:Piano MIDI 1 24:0", true},
        {"Piano:Piano MIDI 1", "Piano:Piano MIDI 1 24:0", true},
        {"Piano:Piano MIDI 1 20:0", "Piano:Piano MIDI 2 20:0", false},
        {"Piano:Piano MIDI 1 20:0", "Organ:Organ MIDI 1 20:0", false},
        {"Synth 1:2", "Synth 1:3", true},
        {"Synth a:2", "Synth b:2", false},
        {"Synth 1:", "Synth 1:", true},
        {"Synth 1:", "Synth 2:", false},
        {"", "", false},
        {"Piano", "", false},
        // ALSA ports are labelled only while JACK is listed beside them.
        {"Piano:Piano MIDI 1 20:0", "ALSA: Piano:Piano MIDI 1 24:0", true},
        {"ALSA: Piano:Piano MIDI 1 20:0", "Piano:Piano MIDI 1 20:0", true},
        {"JACK: Piano:midi_out", "Piano:midi_out", false},
        {"JACK: Piano:midi_out", "ALSA: Piano:midi_out", false},
    };
    for (const auto& c : cases) EXPECT_EQ(SamePort(c.remembered, c.listed), c.same) << c.remembered << " / " << c.listed;
}

TEST(PortKeeper, OpensTheChoiceAndFindsItAgainAfterItWasUnplugged) {
    FakeOutPort port;
    port.present = {"Midi Through:Port-0 14:0", "Piano:Piano MIDI 1 20:0", "Harmoniqua:Harmoniqua 128:0"};
    PortKeeper keeper(&port, "MIDI out", "Harmoniqua:");
    int32_t closes = 0, opens = 0;
    keeper.SetHooks([&closes] { ++closes; }, [&opens] { ++opens; });
    EXPECT_EQ(keeper.Offered(), (std::vector<std::string>{"Midi Through:Port-0 14:0", "Piano:Piano MIDI 1 20:0"}));

    keeper.Choose("Piano:Piano MIDI 1 20:0");
    EXPECT_EQ(port.open, "Piano:Piano MIDI 1 20:0");
    EXPECT_EQ(keeper.Status(), "MIDI out: Piano:Piano MIDI 1 20:0");
    EXPECT_EQ(opens, 1);
    EXPECT_FALSE(keeper.Poll());

    port.present = {"Midi Through:Port-0 14:0"};
    EXPECT_TRUE(keeper.Poll());
    EXPECT_FALSE(keeper.Connected());
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(keeper.Status(), "MIDI out: Piano:Piano MIDI 1 20:0 is gone; it reconnects when it comes back");
    EXPECT_FALSE(keeper.Poll());

    port.present = {"Midi Through:Port-0 14:0", "Piano:Piano MIDI 1 24:0"};
    EXPECT_TRUE(keeper.Poll());
    EXPECT_TRUE(keeper.Connected());
    EXPECT_EQ(port.open, "Piano:Piano MIDI 1 24:0");
    EXPECT_EQ(keeper.Status(), "MIDI out: Piano:Piano MIDI 1 20:0 reconnected");
    EXPECT_EQ(opens, 2);
    EXPECT_EQ(keeper.Chosen(), "Piano:Piano MIDI 1 20:0");
}

TEST(PortKeeper, ChoiceThatIsNotThereConnectsWhenItComes) {
    FakeOutPort port;
    PortKeeper keeper(&port, "MIDI in", "Harmoniqua:");
    keeper.Choose("Keys:Keys 1 20:0");
    EXPECT_FALSE(keeper.Connected());
    EXPECT_EQ(keeper.Status(), "MIDI in: Keys:Keys 1 20:0 is not there; it connects when it comes");
    port.present = {"Keys:Keys 1 20:0"};
    EXPECT_TRUE(keeper.Poll());
    EXPECT_TRUE(keeper.Connected());
}

TEST(PortKeeper, ChoosingAnotherOrNoneClosesTheOldOneFirst) {
    FakeOutPort port;
    port.present = {"A:A 20:0", "B:B 21:0"};
    PortKeeper keeper(&port, "MIDI out", "Harmoniqua:");
    std::vector<std::string> closedWhileOpen;
    keeper.SetHooks([&] { closedWhileOpen.push_back(port.open); }, {});
    keeper.Choose("A:A 20:0");
    keeper.Choose("B:B 21:0");
    EXPECT_EQ(port.open, "B:B 21:0");
    keeper.Choose("");
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(keeper.Status(), "");
    EXPECT_EQ(closedWhileOpen, (std::vector<std::string>{"A:A 20:0", "B:B 21:0"}));
    EXPECT_FALSE(keeper.Poll());
}

}  // namespace
}  // namespace hq::kbd
