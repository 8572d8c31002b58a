// The sound outputs measured for the game's cues, side by side: each plays one WAV file again and
// again, and prints the monotonic time of every play call, so that a listener on the sound server
// (bench/cues/cue_bench.py) can tell which plays were heard and how late.
//
// Usage: quibbix_cue_bench OUTPUT FILE PLAYS INTERVAL_MS
//   OUTPUT: pulse (the game's), qsoundeffect, qaudiosink, sdlmixer

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <QAudioDevice>
#include <QAudioSink>
#include <QCoreApplication>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/pulse/PulseAudioOutput.h"
#include "platform/pulse/WavFile.h"

namespace {

double monotonicSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Qt's high-level effect, loaded once and restarted for every play: what the game used before.
class SoundEffectCue {
  public:
    explicit SoundEffectCue(const QString& file) { effect_.setSource(QUrl::fromLocalFile(file)); }
    void play() {
        effect_.stop();
        effect_.play();
    }

  private:
    QSoundEffect effect_;
};

// Qt's low-level sink in push mode, fed our own samples: a new cue restarts the sink, which drops
// whatever of the last cue is still queued.
class AudioSinkCue {
  public:
    AudioSinkCue(const std::string& file, QObject* parent) : feeder_(parent) {
        sound_ = quibbix::readWavFile(file);
        if (!sound_) {
            return;
        }
        QAudioFormat format;
        format.setSampleRate(static_cast<int>(sound_->sampleRate));
        format.setChannelCount(sound_->channels);
        format.setSampleFormat(QAudioFormat::Int16);
        sink_ = std::make_unique<QAudioSink>(QMediaDevices::defaultAudioOutput(), format);
        sink_->setBufferSize(
            static_cast<qsizetype>(sound_->sampleRate * sound_->channels * 2 / 10));
        QObject::connect(&feeder_, &QTimer::timeout, [this] { feed(); });
        feeder_.start(5);
    }
    void play() {
        if (!sink_) {
            return;
        }
        sink_->stop();
        device_ = sink_->start();
        position_ = 0;
        feed();
    }

  private:
    void feed() {
        if (device_ == nullptr) {
            return;
        }
        const auto* bytes = reinterpret_cast<const char*>(sound_->samples.data());
        const qsizetype total = static_cast<qsizetype>(sound_->samples.size() * 2);
        const qsizetype room = std::min(sink_->bytesFree(), total - position_);
        if (room > 0) {
            position_ += device_->write(bytes + position_, room);
        }
    }

    std::optional<quibbix::PcmSound> sound_;
    std::unique_ptr<QAudioSink> sink_;
    QIODevice* device_ = nullptr;
    qsizetype position_ = 0;
    QTimer feeder_;
};

// SDL2_mixer with a single channel: a new chunk on it halts the one playing.
class MixerCue {
  public:
    explicit MixerCue(const std::string& file) {
        if (SDL_Init(SDL_INIT_AUDIO) != 0 || Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 512) != 0) {
            std::fprintf(stderr, "sdlmixer: %s\n", SDL_GetError());
            return;
        }
        Mix_AllocateChannels(1);
        chunk_ = Mix_LoadWAV(file.c_str());
    }
    ~MixerCue() {
        if (chunk_ != nullptr) {
            Mix_HaltChannel(0);
            Mix_FreeChunk(chunk_);
        }
        Mix_CloseAudio();
        SDL_Quit();
    }
    void play() {
        if (chunk_ != nullptr) {
            Mix_PlayChannel(0, chunk_, 0);
        }
    }

  private:
    Mix_Chunk* chunk_ = nullptr;
};

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr,
                     "usage: %s pulse|qsoundeffect|qaudiosink|sdlmixer FILE PLAYS INTERVAL_MS\n",
                     argv[0]);
        return 2;
    }
    const std::string output = argv[1];
    const std::string file = argv[2];
    const int plays = std::atoi(argv[3]);
    const int interval = std::atoi(argv[4]);

    std::function<void()> play;
    std::unique_ptr<quibbix::PulseAudioOutput> pulse;
    std::unique_ptr<SoundEffectCue> effect;
    std::unique_ptr<AudioSinkCue> sink;
    std::unique_ptr<MixerCue> mixer;
    if (output == "pulse") {
        pulse = std::make_unique<quibbix::PulseAudioOutput>("quibbix-cue-bench");
        play = [&] { pulse->playFile(file); };
    } else if (output == "qsoundeffect") {
        effect = std::make_unique<SoundEffectCue>(QString::fromStdString(file));
        play = [&] { effect->play(); };
    } else if (output == "qaudiosink") {
        sink = std::make_unique<AudioSinkCue>(file, &application);
        play = [&] { sink->play(); };
    } else if (output == "sdlmixer") {
        mixer = std::make_unique<MixerCue>(file);
        play = [&] { mixer->play(); };
    } else {
        std::fprintf(stderr, "unknown output %s\n", output.c_str());
        return 2;
    }

    int played = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (played == plays) {
            application.quit();
            return;
        }
        std::printf("play %.6f\n", monotonicSeconds());
        std::fflush(stdout);
        play();
        ++played;
    });
    // A moment first for every output to open and load, as the game has before the first cue.
    QTimer::singleShot(1000, [&] { timer.start(interval); });
    return application.exec();
}
