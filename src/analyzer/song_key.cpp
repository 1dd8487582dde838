#include "analyzer/song_key.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "theory/pitch.h"

namespace hq {
namespace {


// Probe-tone ratings of each degree in major and in minor (Krumhansl and
// Kessler's listening experiments).
constexpr std::array<double, 12> kMajorProfile{6.35, 2.23, 3.48, 2.33, 4.38, 4.09, 2.52, 5.19, 2.39, 3.66, 2.29, 2.88};
constexpr std::array<double, 12> kMinorProfile{6.33, 2.68, 3.52, 5.38, 2.60, 3.53, 2.54, 4.75, 3.98, 2.69, 3.34, 3.17};

constexpr uint32_t kMajorScale = 0b1010'1011'0101;  // 0 2 4 5 7 9 11
constexpr uint32_t kMinorScale = 0b0101'1010'1101;  // 0 2 3 5 7 8 10
constexpr uint32_t kLeadingTone = 1u << 11;

// A key change needs this much more fit, in summed correlation over bars.
constexpr double kKeyChangeCost = 5.0;
constexpr int32_t kKeyWindowBars = 4;
constexpr double kHeardShare = 0.15;  // bars either side that a bar's key listens to

double Correlation(const std::array<double, 12>& a, const std::array<double, 12>& profile, int32_t tonic) {
    double meanA = 0, meanB = 0;
    for (size_t i = 0; i < 12; ++i) meanA += a[i], meanB += profile[i];
    meanA /= 12, meanB /= 12;
    double cross = 0, varA = 0, varB = 0;
    for (int32_t p = 0; p < 12; ++p) {
        const double x = a[static_cast<size_t>(p)] - meanA;
        const double y = profile[static_cast<size_t>(Mod12(p - tonic))] - meanB;
        cross += x * y, varA += x * x, varB += y * y;
    }
    return varA <= 0 ? 0.0 : cross / std::sqrt(varA * varB);
}

uint32_t Rotate(uint32_t mask, int32_t by) {
    const auto s = static_cast<uint32_t>(Mod12(by));
    return ((mask << s) | (mask >> (12 - s))) & 0xFFFu;
}

bool Has(uint32_t above, int32_t interval) { return (above & (1u << interval)) != 0; }

struct Quality {
    bool upper = true;
    std::string symbol;  // "°", "ø", "+"
    int32_t seventh = 0;  // 0 none, else the seventh's interval
    int32_t third = 0, fifth = 0;
    std::string extra;  // figures that are not a seventh: "9", "sus4"
};

Quality QualityOf(uint32_t above) {
    Quality q;
    q.third = Has(above, 4) ? 4 : Has(above, 3) ? 3 : 0;
    q.upper = q.third != 3;
    q.fifth = Has(above, 7) ? 7 : (q.third == 3 && Has(above, 6)) ? 6 : (q.third == 4 && Has(above, 8)) ? 8 : 0;
    const bool diminished = q.third == 3 && q.fifth == 6;
    q.seventh = Has(above, 10) ? 10 : Has(above, 11) ? 11 : (diminished && Has(above, 9)) ? 9 : 0;
    if (diminished) q.symbol = q.seventh == 10 ? "ø" : "°";
    if (q.third == 4 && q.fifth == 8) q.symbol = "+";
    if (q.third == 0 && Has(above, 5)) q.extra = "sus4";
    if (q.third == 0 && !Has(above, 5) && Has(above, 2)) q.extra = "sus2";
    if (q.seventh != 0 && (Has(above, 2) || Has(above, 1) || (q.third == 4 && Has(above, 3)))) q.extra = "9";
    return q;
}

// The figures after the numeral: the seventh and the inversion together,
// or the inversion alone for a triad.
std::string Figures(const Quality& q, bool majorSeventh, int32_t bassAbove) {
    if (q.seventh != 0 && q.extra != "9") {
        if (bassAbove == q.third && q.third != 0) return "65";
        if (bassAbove == q.fifth && q.fifth != 0) return "43";
        if (bassAbove == q.seventh) return "42";
        return majorSeventh && q.symbol.empty() ? "maj7" : "7";
    }
    if (q.seventh == 0 && q.extra.empty()) {
        if (bassAbove == q.third && q.third != 0) return "6";
        if (bassAbove == q.fifth && q.fifth != 0) return "64";
        return "";
    }
    return q.extra == "9" && majorSeventh ? "maj9" : q.extra;
}

bool IsFigureTone(const Quality& q, int32_t bassAbove) {
    if (bassAbove == 0) return true;
    if (q.seventh != 0 && q.extra != "9") return bassAbove == q.third || bassAbove == q.fifth || bassAbove == q.seventh;
    if (q.seventh == 0 && q.extra.empty()) return bassAbove == q.third || bassAbove == q.fifth;
    return false;
}

// The numeral of a root by its distance above the tonic; minor counts from
// its natural scale, its raised seventh (the leading tone) left unmarked.
constexpr std::array<std::string_view, 12> kMajorDegrees{"I",  "bII", "II", "bIII", "III", "IV",
                                                        "#IV", "V",  "bVI", "VI",  "bVII", "VII"};
constexpr std::array<std::string_view, 12> kMinorDegrees{"I",  "bII", "II", "III", "#III", "IV",
                                                        "#IV", "V",  "VI", "#VI", "VII",  "VII"};

std::string DegreeOf(bool minor, int32_t interval, bool upper) {
    std::string numeral((minor ? kMinorDegrees : kMajorDegrees)[static_cast<size_t>(interval)]);
    if (!upper) {
        for (char& c : numeral) c = c == 'I' ? 'i' : c == 'V' ? 'v' : c;
    }
    return numeral;
}

// The numeral of the key's own triad on `interval`, for the target of a
// secondary function; "" when it cannot be one (the tonic, a diminished
// triad, a note outside the scale).
std::string TargetOf(SongKey key, int32_t interval) {
    const uint32_t scale = key.minor ? kMinorScale : kMajorScale;
    if (interval == 0 || !Has(scale, interval)) return "";
    const bool minorThird = !Has(scale, Mod12(interval + 4));
    const bool perfectFifth = Has(scale, Mod12(interval + 7));
    if (!perfectFifth) return "";
    return DegreeOf(key.minor, interval, !minorThird);
}

// A note spelled with sharps in the keys whose signature has sharps.
std::string NoteName(SongKey key, int32_t pitch) {
    const int32_t major = key.minor ? Mod12(key.tonic + 3) : key.tonic;
    const bool sharps = major == 7 || major == 2 || major == 9 || major == 4 || major == 11;
    return std::string((sharps ? kSharpNames : kFlatNames)[static_cast<size_t>(Mod12(pitch))]);
}

// The pitch classes that sound for a fair part of the loudest one's time.
uint32_t HeardMask(const std::array<double, 12>& weights) {
    const double loudest = *std::max_element(weights.begin(), weights.end());
    uint32_t mask = 0;
    for (size_t p = 0; p < 12; ++p) {
        if (loudest > 0 && weights[p] >= kHeardShare * loudest) mask |= 1u << p;
    }
    return mask;
}

}  // namespace

std::string KeyName(SongKey key) {
    const auto t = static_cast<size_t>(Mod12(key.tonic));
    return std::string(key.minor ? kMinorTonicNames[t] : kMajorTonicNames[t]) + (key.minor ? " minor" : " major");
}

std::array<double, 24> KeyFit(const std::array<double, 12>& weights) {
    std::array<double, 24> fit{};
    for (int32_t t = 0; t < 12; ++t) {
        fit[static_cast<size_t>(t)] = Correlation(weights, kMajorProfile, t);
        fit[static_cast<size_t>(t + 12)] = Correlation(weights, kMinorProfile, t);
    }
    return fit;
}

std::vector<KeyStretch> SongKeys(std::span<const SongBeat> beats) {
    std::vector<KeyStretch> stretches;
    if (beats.empty()) return stretches;
    const auto bars = static_cast<size_t>(beats.back().bar + 1);
    std::vector<std::array<double, 12>> barWeights(bars);
    std::vector<size_t> barStart(bars, beats.size());
    for (size_t i = 0; i < beats.size(); ++i) {
        const auto bar = static_cast<size_t>(beats[i].bar);
        barStart[bar] = std::min(barStart[bar], i);
        for (size_t p = 0; p < 12; ++p) barWeights[bar][p] += beats[i].chroma[p] + 0.5 * beats[i].bass[p];
    }
    // Viterbi over bars: 24 keys, a change costs kKeyChangeCost.
    std::vector<std::array<uint8_t, 24>> from(bars);
    std::array<double, 24> score{};
    std::array<double, 12> window{};
    const auto add = [&window, &barWeights, bars](int64_t bar, double sign) {
        if (bar < 0 || bar >= static_cast<int64_t>(bars)) return;
        for (size_t p = 0; p < 12; ++p) window[p] += sign * barWeights[static_cast<size_t>(bar)][p];
    };
    for (int64_t b = -kKeyWindowBars; b < kKeyWindowBars; ++b) add(b, 1.0);
    for (size_t b = 0; b < bars; ++b) {
        const auto at = static_cast<int64_t>(b);
        add(at + kKeyWindowBars, 1.0);
        add(at - kKeyWindowBars - 1, -1.0);
        const std::array<double, 24> fit = KeyFit(window);
        const auto best = static_cast<size_t>(std::max_element(score.begin(), score.end()) - score.begin());
        std::array<double, 24> next{};
        for (size_t k = 0; k < 24; ++k) {
            const bool change = b > 0 && score[best] - kKeyChangeCost > score[k];
            from[b][k] = static_cast<uint8_t>(change ? best : k);
            next[k] = (change ? score[best] - kKeyChangeCost : score[k]) + fit[k];
        }
        score = next;
    }
    auto k = static_cast<size_t>(std::max_element(score.begin(), score.end()) - score.begin());
    std::vector<size_t> path(bars);
    for (size_t b = bars; b-- > 0;) {
        path[b] = k;
        k = from[b][k];
    }
    // The window hears a new key before it comes: the old key lasts while
    // its bars hold nothing foreign to it.
    for (size_t b = 1; b < bars; ++b) {
        if (path[b] == path[b - 1]) continue;
        const size_t fresh = path[b];
        const SongKey before{static_cast<int32_t>(path[b - 1] % 12), path[b - 1] >= 12};
        for (size_t later = b; later < std::min(bars, b + static_cast<size_t>(kKeyWindowBars)) && path[later] == fresh; ++later) {
            if (!Diatonic(before, before.tonic + 7, HeardMask(barWeights[later]))) break;
            path[later] = path[b - 1];
        }
    }
    for (size_t b = 0; b < bars; ++b) {
        if (barStart[b] == beats.size() || (!stretches.empty() && path[b] == path[b - 1])) continue;
        const SongKey key{static_cast<int32_t>(path[b] % 12), path[b] >= 12};
        if (!stretches.empty() && stretches.back().key == key) continue;
        stretches.push_back({stretches.empty() ? 0 : barStart[b], key});
    }
    return stretches;
}

bool Diatonic(SongKey key, int32_t root, uint32_t mask) {
    uint32_t scale = key.minor ? kMinorScale : kMajorScale;
    const int32_t degree = Mod12(root - key.tonic);
    if (key.minor && (degree == 7 || degree == 11)) scale |= kLeadingTone;
    return (Rotate(mask, -key.tonic) & ~scale) == 0;
}

std::string RomanNumeral(SongKey key, int32_t root, uint32_t mask, int32_t bass) {
    const uint32_t above = Rotate(mask, -root);
    const Quality q = QualityOf(above);
    const int32_t bassAbove = Mod12(bass - root);
    const bool majorSeventh = q.seventh == 11;
    const std::string figures = Figures(q, majorSeventh, bassAbove);
    const std::string bassNote = IsFigureTone(q, bassAbove) ? "" : " (bass " + NoteName(key, bass) + ")";
    const int32_t interval = Mod12(root - key.tonic);
    if (!Diatonic(key, root, mask)) {
        const bool dominant = q.third == 4 && q.fifth != 8 && (q.seventh == 0 || q.seventh == 10);
        const bool leading = q.third == 3 && q.fifth == 6;
        const std::string target =
            dominant ? TargetOf(key, Mod12(interval + 5)) : leading ? TargetOf(key, Mod12(interval + 1)) : "";
        if (!target.empty()) {
            return (dominant ? "V" : "vii" + q.symbol) + figures + "/" + target + bassNote;
        }
    }
    // Minor's raised seventh goes unmarked only under its diminished chords.
    const bool raised = key.minor && interval == 11 && q.symbol != "°" && q.symbol != "ø";
    return (raised ? "#" : "") + DegreeOf(key.minor, interval, q.upper) + q.symbol + figures + bassNote;
}

}  // namespace hq
