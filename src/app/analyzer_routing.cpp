#include "app/routing.h"

namespace hq {

// Filled in with the chord analyzer.
void SelectAnalyzerControl(Program&, const ToolkitMessage&) {}
void ResetAnalyzer(Program&) {}

}  // namespace hq
