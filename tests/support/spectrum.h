#pragma once
// Pitches in recorded or rendered sound: the strongest frequency of a
// Hann-windowed stretch within a band, found by stepping through it.

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

namespace hq::testing {

struct Peak {
    double hz = 0;
    double power = 0;
    /// The band's typical power, to tell a partial from noise.
    double medianPower = 0;
};

inline Peak StrongestIn(const std::vector<float>& x, double sampleRate, double lowHz, double highHz,
                        double stepHz = 0.05) {
    const size_t n = x.size();
    Peak peak{lowHz, -1, 0};
    if (n < 2) return peak;
    std::vector<double> windowed(n);
    for (size_t i = 0; i < n; ++i) {
        windowed[i] = x[i] * (0.5 - 0.5 * std::cos(2 * std::numbers::pi * double(i) / double(n - 1)));
    }
    std::vector<double> powers;
    for (double hz = lowHz; hz <= highHz; hz += stepHz) {
        const std::complex<double> step = std::polar(1.0, -2 * std::numbers::pi * hz / sampleRate);
        std::complex<double> phase = 1, sum = 0;
        for (double v : windowed) {
            sum += v * phase;
            phase *= step;
        }
        powers.push_back(std::norm(sum));
        if (powers.back() > peak.power) peak = {hz, powers.back(), 0};
    }
    std::nth_element(powers.begin(), powers.begin() + static_cast<std::ptrdiff_t>(powers.size() / 2), powers.end());
    peak.medianPower = powers[powers.size() / 2];
    return peak;
}

inline double PeakHz(const std::vector<float>& x, double sampleRate, double lowHz, double highHz) {
    return StrongestIn(x, sampleRate, lowHz, highHz).hz;
}

}  // namespace hq::testing
