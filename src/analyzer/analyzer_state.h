#pragma once

namespace hq {

/// The captured notes and their solutions.
struct AnalyzerState {};

}  // namespace hq
