#include "tools/skin/Synth.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <numbers>
#include <stdexcept>

namespace quibbix::skin_generator {

Signal silence(double seconds) {
    return Signal(sampleAt(seconds), 0.0);
}

double Noise::unit() {
    // splitmix64
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) / static_cast<double>(1ULL << 53);
}

namespace {

struct Shape {
    double w0;
    double alpha;
};

Shape shapeOf(double frequency, double q) {
    const double w0 = 2.0 * std::numbers::pi * frequency / SampleRate;
    return {w0, std::sin(w0) / (2.0 * q)};
}

}  // namespace

Biquad Biquad::lowPass(double frequency, double q) {
    const auto [w0, alpha] = shapeOf(frequency, q);
    const double a0 = 1 + alpha;
    Biquad filter;
    filter.b0_ = (1 - std::cos(w0)) / 2 / a0;
    filter.b1_ = (1 - std::cos(w0)) / a0;
    filter.b2_ = filter.b0_;
    filter.a1_ = -2 * std::cos(w0) / a0;
    filter.a2_ = (1 - alpha) / a0;
    return filter;
}

Biquad Biquad::highPass(double frequency, double q) {
    const auto [w0, alpha] = shapeOf(frequency, q);
    const double a0 = 1 + alpha;
    Biquad filter;
    filter.b0_ = (1 + std::cos(w0)) / 2 / a0;
    filter.b1_ = -(1 + std::cos(w0)) / a0;
    filter.b2_ = filter.b0_;
    filter.a1_ = -2 * std::cos(w0) / a0;
    filter.a2_ = (1 - alpha) / a0;
    return filter;
}

Biquad Biquad::bandPass(double frequency, double q) {
    const auto [w0, alpha] = shapeOf(frequency, q);
    const double a0 = 1 + alpha;
    Biquad filter;
    filter.b0_ = alpha / a0;
    filter.b1_ = 0;
    filter.b2_ = -alpha / a0;
    filter.a1_ = -2 * std::cos(w0) / a0;
    filter.a2_ = (1 - alpha) / a0;
    return filter;
}

double Biquad::step(double input) {
    const double output = b0_ * input + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = input;
    y2_ = y1_;
    y1_ = output;
    return output;
}

void Biquad::run(Signal& signal) {
    for (double& sample : signal) sample = step(sample);
}

void addPing(Signal& signal, double start, double fromHz, double toHz, double glide,
             double amplitude, double decay, double attack) {
    double phase = 0.0;
    const size_t first = sampleAt(start);
    const size_t last = std::min(signal.size(), first + sampleAt(decay * 9.0));
    for (size_t i = first; i < last; ++i) {
        const double t = static_cast<double>(i - first) / SampleRate;
        const double progress = std::min(1.0, t / glide);
        const double frequency = fromHz * std::pow(toHz / fromHz, progress);
        phase += 2.0 * std::numbers::pi * frequency / SampleRate;
        const double rise = std::min(1.0, t / attack);
        signal[i] += amplitude * rise * std::exp(-t / decay) * std::sin(phase);
    }
}

void addNoiseBurst(Signal& signal, Noise& noise, double start, double centreHz, double q,
                   double amplitude, double decay) {
    Biquad band = Biquad::bandPass(centreHz, q);
    const size_t first = sampleAt(start);
    const size_t last = std::min(signal.size(), first + sampleAt(decay * 8.0 + 0.01));
    for (size_t i = first; i < last; ++i) {
        const double t = static_cast<double>(i - first) / SampleRate;
        const double excitation = noise.between(-1.0, 1.0) * std::exp(-t / decay);
        signal[i] += amplitude * band.step(excitation);
    }
}

void addRoom(Signal& signal, double wet) {
    const int combDelays[] = {1557, 1617, 1491, 1422};
    const int allPassDelays[] = {225, 556};
    Signal reverb(signal.size(), 0.0);
    for (const int delay : combDelays) {
        Signal line(signal.size(), 0.0);
        for (size_t i = 0; i < signal.size(); ++i) {
            const double fed = i >= static_cast<size_t>(delay) ? line[i - delay] : 0.0;
            line[i] = signal[i] + 0.72 * fed;
            reverb[i] += fed / 4.0;
        }
    }
    for (const int delay : allPassDelays) {
        Signal out(reverb.size(), 0.0);
        for (size_t i = 0; i < reverb.size(); ++i) {
            const double delayedIn = i >= static_cast<size_t>(delay) ? reverb[i - delay] : 0.0;
            const double delayedOut = i >= static_cast<size_t>(delay) ? out[i - delay] : 0.0;
            out[i] = -0.5 * reverb[i] + delayedIn + 0.5 * delayedOut;
        }
        reverb = out;
    }
    for (size_t i = 0; i < signal.size(); ++i) signal[i] += wet * reverb[i];
}

void finish(Signal& signal, double peakDb) {
    const size_t fade = std::min(signal.size() / 2, sampleAt(0.006));
    for (size_t i = 0; i < fade; ++i) {
        // A raised-cosine ramp that begins and ends exactly at zero.
        const double gain = 0.5 - 0.5 * std::cos(std::numbers::pi * i / fade);
        signal[i] *= gain;
        signal[signal.size() - 1 - i] *= gain;
    }
    double peak = 0.0;
    for (const double sample : signal) peak = std::max(peak, std::abs(sample));
    if (peak == 0.0)
        throw std::runtime_error("a sound came out silent");
    const double scale = std::pow(10.0, -peakDb / 20.0) / peak;
    for (double& sample : signal) sample *= scale;
}

namespace {

void put16(std::ofstream& out, uint16_t value) {
    const char bytes[] = {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
    out.write(bytes, 2);
}

void put32(std::ofstream& out, uint32_t value) {
    put16(out, static_cast<uint16_t>(value & 0xFFFF));
    put16(out, static_cast<uint16_t>(value >> 16));
}

}  // namespace

void writeWav(const std::string& path, const Signal& signal) {
    std::ofstream out(path, std::ios::binary);
    if (!out)
        throw std::runtime_error("cannot write " + path);
    const uint32_t dataBytes = static_cast<uint32_t>(signal.size() * 2);
    out.write("RIFF", 4);
    put32(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    put32(out, 16);  // size of the format block
    put16(out, 1);   // PCM
    put16(out, 1);   // mono
    put32(out, SampleRate);
    put32(out, SampleRate * 2);  // bytes per second
    put16(out, 2);               // bytes per frame
    put16(out, 16);              // bits per sample
    out.write("data", 4);
    put32(out, dataBytes);
    for (const double sample : signal) {
        const long value = std::lround(std::clamp(sample, -1.0, 1.0) * 32767.0);
        put16(out, static_cast<uint16_t>(static_cast<int16_t>(value)));
    }
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

}  // namespace quibbix::skin_generator
