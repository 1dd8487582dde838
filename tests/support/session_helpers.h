#pragma once
// Driving a headless session with control names, as a user clicks them.

#include <gtest/gtest.h>

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "headless/session.h"
#include "platform/controls.h"

namespace hq::testing {

/// "E9" checks (or selects a radio button), "E9=off" clears.
inline void Click(HeadlessSession& session, std::string_view selection) {
    const size_t equals = selection.find('=');
    const std::string name(selection.substr(0, equals));
    const std::optional<int32_t> k = KidByName(name);
    ASSERT_TRUE(k.has_value()) << name;
    const bool off = equals != std::string_view::npos && selection.substr(equals + 1) == "off";
    session.Select(*k, off ? 0 : -1);
}

inline void ClickAll(HeadlessSession& session, std::span<const std::string_view> selections) {
    for (std::string_view s : selections) Click(session, s);
}

inline void ClickAll(HeadlessSession& session, std::initializer_list<std::string_view> selections) {
    ClickAll(session, std::span<const std::string_view>(selections.begin(), selections.size()));
}

inline bool Checked(const HeadlessSession& session, std::string_view name) {
    return session.toolkit.IsChecked(session.Grid(), *KidByName(name));
}

inline bool Enabled(const HeadlessSession& session, std::string_view name) {
    return session.toolkit.ControlOf(session.Grid(), *KidByName(name))->enabled;
}

inline std::string Display(const HeadlessSession& session, int32_t kidNumber) {
    return session.toolkit.ControlOf(session.Grid(), kidNumber)->text;
}

}  // namespace hq::testing
