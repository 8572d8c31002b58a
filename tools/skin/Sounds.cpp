#include "tools/skin/Sounds.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quibbix::skin_generator {

namespace {

// One die striking something hard: a tick of bright noise and two of the die's own ringing modes.
void addClick(Signal& signal, Noise& noise, double start, double strength, double brightness) {
    addNoiseBurst(signal, noise, start, noise.between(2600, 5200) * brightness, 2.5, strength * 1.6,
                  0.0012);
    const double mode = noise.between(3200, 6400) * brightness;
    addPing(signal, start, mode, mode, 1.0, strength * 0.22, noise.between(0.006, 0.014));
    addPing(signal, start, mode * 1.53, mode * 1.53, 1.0, strength * 0.12,
            noise.between(0.004, 0.009));
}

// A knock of wood: the table answering a heavy landing.
void addKnock(Signal& signal, Noise& noise, double start, double strength) {
    addPing(signal, start, noise.between(150, 190), 110, 0.05, strength * 0.9, 0.035, 0.001);
    addNoiseBurst(signal, noise, start, 700, 1.2, strength * 1.1, 0.006);
}

}  // namespace

Signal makeRollDice() {
    Noise noise(0x5EED0001);
    Signal signal = silence(1.35);
    // Five dice land, bounce and tumble; their knocks grow weaker and further apart.
    for (int die = 0; die < 5; ++die) {
        double t = 0.02 + 0.018 * die + noise.between(0.0, 0.012);
        double energy = noise.between(0.8, 1.0);
        addKnock(signal, noise, t, energy * 0.7);
        while (energy > 0.04 && t < 1.2) {
            addClick(signal, noise, t, energy, 1.0);
            const double gap = 0.018 + noise.between(0.0, 0.05) * (1.2 - energy);
            t += gap;
            energy *= noise.between(0.78, 0.9);
            if (noise.unit() < 0.18)
                addKnock(signal, noise, t, energy * 0.5);
        }
    }
    // The dice also clatter against each other in the first moment.
    for (int i = 0; i < 14; ++i) {
        // Drawn one by one: the order in which a call's arguments are worked out differs between
        // compilers, and the sound must not. This order keeps the committed file.
        const double strength = noise.between(0.2, 0.5);
        const double at = noise.between(0.03, 0.3);
        addClick(signal, noise, at, strength, 1.25);
    }
    Biquad::highPass(60, 0.7).run(signal);
    addRoom(signal, 0.12);
    finish(signal, 1.0);
    return signal;
}

Signal makeShakeDice() {
    Noise noise(0x5EED0002);
    Signal signal = silence(1.1);
    // Three strokes of the cup; in each the dice hit the wall together and rattle on.
    const double strokes[] = {0.02, 0.36, 0.68};
    for (const double stroke : strokes) {
        for (int i = 0; i < 26; ++i) {
            const double spread = std::pow(noise.unit(), 1.7) * 0.2;
            const double strength = noise.between(0.35, 1.0) * (1.0 - spread * 3.0);
            addClick(signal, noise, stroke + spread, strength, noise.between(0.75, 1.05));
        }
    }
    // The cup: a hollow body that rings a little with every hit.
    Signal cup = signal;
    Biquad::bandPass(950, 5.0).run(cup);
    Signal body = signal;
    Biquad::bandPass(2100, 3.0).run(body);
    for (size_t i = 0; i < signal.size(); ++i) {
        signal[i] = 0.45 * signal[i] + 2.2 * cup[i] + 1.0 * body[i];
    }
    Biquad::lowPass(7000, 0.7).run(signal);
    addRoom(signal, 0.08);
    finish(signal, 1.0);
    return signal;
}

// The short cues carry a tail of silence: the sound server drops a play of under about a fifth of a
// second before it is heard.
constexpr double ShortestCue = 0.45;

Signal makeSoftPlop() {
    Noise noise(0x5EED0003);
    Signal signal = silence(ShortestCue);
    // A bubble-like rise in pitch over a soft low thud.
    addPing(signal, 0.004, 240, 640, 0.05, 0.9, 0.035, 0.003);
    addPing(signal, 0.004, 120, 90, 0.05, 0.5, 0.03, 0.002);
    addNoiseBurst(signal, noise, 0.004, 900, 1.0, 0.6, 0.004);
    Biquad::lowPass(2200, 0.7).run(signal);
    finish(signal, 1.0);
    return signal;
}

namespace {

// One brass voice: harmonics that brighten after the attack, a slow vibrato and a breathy start.
void addBrassNote(Signal& signal, Noise& noise, double start, double length, double frequency,
                  double loudness) {
    const size_t first = sampleAt(start);
    const size_t last = std::min(signal.size(), first + sampleAt(length + 0.25));
    const int harmonics = 12;
    std::vector<double> phases(harmonics, 0.0);
    for (size_t i = first; i < last; ++i) {
        const double t = static_cast<double>(i - first) / SampleRate;
        const double attack = std::min(1.0, t / 0.03);
        const double release = t < length ? 1.0 : std::exp(-(t - length) / 0.06);
        const double swell = 0.85 + 0.15 * std::min(1.0, t / 0.25);
        const double envelope = attack * release * swell;
        const double vibrato = 1.0 + 0.0045 * std::min(1.0, std::max(0.0, t - 0.18) / 0.2) *
                                         std::sin(2.0 * std::numbers::pi * 5.6 * t);
        // The tone opens up as the player pushes: upper harmonics follow the envelope later.
        const double brightness = std::min(1.0, t / 0.07);
        double sample = 0.0;
        for (int h = 1; h <= harmonics; ++h) {
            phases[h - 1] += 2.0 * std::numbers::pi * frequency * h * vibrato / SampleRate;
            const double weight = std::pow(h, -1.1) * std::pow(brightness, (h - 1) * 0.35) *
                                  (h <= 6 ? 1.0 : std::exp(-(h - 6) * 0.35));
            sample += weight * std::sin(phases[h - 1]);
        }
        const double breath = noise.between(-1.0, 1.0) * 0.03 * std::exp(-t / 0.04);
        signal[i] += loudness * envelope * (sample + breath);
    }
}

}  // namespace

Signal makeCheer() {
    Noise noise(0x5EED0004);
    Signal signal = silence(2.6);
    // A rising call (G C E) that lands on a held C major chord with the G on top.
    const double g4 = 392.0, c5 = 523.25, e5 = 659.26, g5 = 783.99, c4 = 261.63, e4 = 329.63;
    const double beat = 0.14;
    addBrassNote(signal, noise, 0.01, beat * 0.8, g4, 0.8);
    addBrassNote(signal, noise, 0.01 + beat, beat * 0.8, c5, 0.8);
    addBrassNote(signal, noise, 0.01 + beat * 2, beat * 0.8, e5, 0.8);
    const double held = 0.01 + beat * 3;
    const double holdLength = 1.45;
    addBrassNote(signal, noise, held, holdLength, g5, 0.85);
    addBrassNote(signal, noise, held + 0.005, holdLength, e5, 0.55);
    addBrassNote(signal, noise, held + 0.01, holdLength, c5, 0.55);
    addBrassNote(signal, noise, held + 0.015, holdLength, e4, 0.45);
    addBrassNote(signal, noise, held, holdLength, c4, 0.5);
    // A splash of cymbal on the chord.
    Signal cymbal = silence(2.6);
    const size_t from = sampleAt(held);
    for (size_t i = from; i < cymbal.size(); ++i) {
        const double t = static_cast<double>(i - from) / SampleRate;
        cymbal[i] = noise.between(-1.0, 1.0) * 0.18 * std::exp(-t / 0.45);
    }
    Biquad::highPass(5000, 0.7).run(cymbal);
    for (size_t i = 0; i < signal.size(); ++i) signal[i] += cymbal[i];
    Biquad::lowPass(9000, 0.7).run(signal);
    addRoom(signal, 0.25);
    // Let the tail die away before the end.
    const size_t tail = sampleAt(2.25);
    for (size_t i = tail; i < signal.size(); ++i) {
        const double t = static_cast<double>(i - tail) / (signal.size() - tail);
        signal[i] *= 0.5 + 0.5 * std::cos(std::numbers::pi * t);
    }
    finish(signal, 1.0);
    return signal;
}

Signal makePop() {
    Noise noise(0x5EED0005);
    Signal signal = silence(ShortestCue);
    // A cork-like pop: a sharp puff of air and a ring that drops in pitch.
    addNoiseBurst(signal, noise, 0.002, 1800, 0.8, 2.0, 0.0025);
    addPing(signal, 0.002, 1150, 480, 0.035, 0.9, 0.022, 0.0008);
    addPing(signal, 0.002, 2300, 960, 0.035, 0.25, 0.012, 0.0008);
    Biquad::highPass(120, 0.7).run(signal);
    finish(signal, 1.0);
    return signal;
}

}  // namespace quibbix::skin_generator
