#include "cli/parse_command.h"

#include <string_view>

#include "app/routing.h"
#include "cli/arguments.h"
#include "cli/chord_json.h"
#include "cli/json.h"
#include "headless/session.h"
#include "theory/symbol.h"

namespace hq {
namespace {

constexpr std::string_view kSymbolOption = "--symbol";

}  // namespace

int ParseCommand(std::span<const std::string> args, std::string& out, std::string& err) {
    if (args.empty()) {
        err += "harmoniqua-cli parse: missing SYMBOL (for example: harmoniqua-cli parse F#m7b5 'Bb13(#11)')\n";
        return 2;
    }
    JsonWriter json;
    json.BeginObject().Key("results").BeginArray();
    for (const std::string& symbol : args) {
        if (symbol.starts_with("--")) {
            err += "harmoniqua-cli parse: " + UnknownOption(symbol) + "\n";
            return 2;
        }
    }
    for (const std::string& symbol : args) {
        json.BeginObject().Key("symbol").String(symbol);
        const SymbolReading reading = ReadChordSymbol(symbol);
        json.Key("ok").Bool(reading.definition.has_value());
        if (reading.definition) {
            HeadlessSession session;
            TakeChordIntoPanels(session.program, *reading.definition);
            WriteChordMembers(json, session, session.toolkit.Alerts());
        } else {
            json.Key("error").String(reading.reason);
        }
        json.EndObject();
    }
    json.EndArray().EndObject();
    out += json.str() + "\n";
    return 0;
}

std::optional<std::string> SplitSymbolOption(std::span<const std::string> args, std::vector<std::string>& rest,
                                             std::optional<std::string>& symbol) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        std::optional<std::string> value;
        if (arg == kSymbolOption) {
            if (i + 1 >= args.size()) return "--symbol needs a chord symbol";
            value = args[++i];
        } else if (arg.starts_with(kSymbolOption) && arg.size() > kSymbolOption.size() &&
                   arg[kSymbolOption.size()] == '=') {
            value = std::string(arg.substr(kSymbolOption.size() + 1));
        } else {
            rest.push_back(args[i]);
            continue;
        }
        if (symbol) return "--symbol is given once";
        symbol = std::move(value);
    }
    return std::nullopt;
}

}  // namespace hq
