#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace hq {

/// harmoniqua-cli parse SYMBOL...: {"results": [...]}, one entry per symbol
/// in order, the accepted ones with the chord as `select` prints it.
int ParseCommand(std::span<const std::string> args, std::string& out, std::string& err);

/// Splits "--symbol S" or "--symbol=S" off `args`; the other arguments go to
/// `rest`. Returns the reason when the option is given twice or without S.
std::optional<std::string> SplitSymbolOption(std::span<const std::string> args, std::vector<std::string>& rest,
                                             std::optional<std::string>& symbol);

}  // namespace hq
