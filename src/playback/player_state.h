#pragma once

namespace hq {

/// The note player's state between timer expiries.
struct PlayerState {};

}  // namespace hq
