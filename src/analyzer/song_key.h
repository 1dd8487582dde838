#pragma once
// The key of a song and the Roman numeral of a chord in a key. Pure: no
// toolkit, no I/O.

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "analyzer/song_grid.h"

namespace hq {

struct SongKey {
    int32_t tonic = 0;  // 0..11
    bool minor = false;
    bool operator==(const SongKey&) const = default;
};

/// "G major", "Eb major", "F# minor": flats for the major keys that take
/// them, sharps for the minor keys that take them.
std::string KeyName(SongKey key);

/// How well pitch-class weights fit each of the 24 keys (major tonics 0..11,
/// then minor): the correlation with the key's profile, -1..1.
std::array<double, 24> KeyFit(const std::array<double, 12>& weights);

/// Where each key starts: the first beat of a bar and the key from there.
struct KeyStretch {
    size_t firstBeat = 0;
    SongKey key;
};

/// The song's keys over its bars, a new one only where the music stays in it
/// for a good while. Empty when no beat sounds.
std::vector<KeyStretch> SongKeys(std::span<const SongBeat> beats);

/// Whether every pitch class of `mask` (bit p: pitch class p) belongs to the
/// key, minor counting its raised seventh on V and vii.
bool Diatonic(SongKey key, int32_t root, uint32_t mask);

/// The chord's numeral in `key`: "I", "V7", "ii65", "V7/V", "vii°7/ii",
/// "bVII", "IV (bass E)". `mask` holds the chord's pitch classes; `bass` is
/// its lowest note's pitch class.
std::string RomanNumeral(SongKey key, int32_t root, uint32_t mask, int32_t bass);

}  // namespace hq
