#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A small sample synthesizer: mono signals of doubles at 44.1 kHz, built from noise, filters and
// decaying sines, then finished into 16-bit WAV files.
namespace quibbix::skin_generator {

inline constexpr int SampleRate = 44100;

using Signal = std::vector<double>;

Signal silence(double seconds);
inline size_t sampleAt(double seconds) {
    return static_cast<size_t>(seconds * SampleRate);
}

// A seeded source of noise, the same numbers on every run and every machine.
class Noise {
  public:
    explicit Noise(uint64_t seed) : state_(seed) {}
    // A uniform number in [0, 1).
    double unit();
    // A uniform number in [low, high).
    double between(double low, double high) { return low + (high - low) * unit(); }

  private:
    uint64_t state_;
};

// A second-order filter (the usual audio "biquad" cookbook forms).
class Biquad {
  public:
    static Biquad lowPass(double frequency, double q);
    static Biquad highPass(double frequency, double q);
    static Biquad bandPass(double frequency, double q);
    double step(double input);
    void run(Signal& signal);

  private:
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Adds a sine starting at `start` seconds whose pitch glides exponentially from `fromHz` to `toHz`
// over `glide` seconds and whose loudness decays by e every `decay` seconds after a short attack.
void addPing(Signal& signal, double start, double fromHz, double toHz, double glide,
             double amplitude, double decay, double attack = 0.0005);
// Adds a burst of noise through a band-pass filter, decaying by e every `decay` seconds.
void addNoiseBurst(Signal& signal, Noise& noise, double start, double centreHz, double q,
                   double amplitude, double decay);
// A short room: a few combs and all-passes mixed under the dry signal.
void addRoom(Signal& signal, double wet);

// Fades in and out over a few milliseconds so the first and last samples are silent, and scales
// the loudest sample to `peakDb` below full scale.
void finish(Signal& signal, double peakDb);
// Writes a 16-bit PCM mono WAV file.
void writeWav(const std::string& path, const Signal& signal);

}  // namespace quibbix::skin_generator
