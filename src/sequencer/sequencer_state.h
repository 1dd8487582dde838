#pragma once

namespace hq {

/// The chord list and sequence playing.
struct SequencerState {};

}  // namespace hq
