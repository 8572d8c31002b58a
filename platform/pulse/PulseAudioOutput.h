#pragma once

#include <pulse/pulseaudio.h>

#include <chrono>
#include <map>
#include <memory>
#include <string>

#include "platform/Services.h"
#include "platform/pulse/WavFile.h"

namespace quibbix {

// Plays cues through the desktop's sound server with its own client library. Each cue gets a
// stream of its own that ends with it, so nothing is kept open between cues and the server can put
// the sound device to sleep. A new cue stops the one still playing, or still waiting for the
// connection. The connection is made in the background at start; when the server goes away the game
// plays on in silence, and the next cue after it comes back connects again. A file that is missing
// or not a sound this output can play plays nothing, but as a new cue it still stops the one
// before, and nothing is ever printed.
class PulseAudioOutput : public AudioOutput {
  public:
    explicit PulseAudioOutput(std::string applicationName);
    ~PulseAudioOutput() override;
    PulseAudioOutput(const PulseAudioOutput&) = delete;
    PulseAudioOutput& operator=(const PulseAudioOutput&) = delete;

    void playFile(const std::string& path) override;

  private:
    using Clock = std::chrono::steady_clock;
    using Sound = std::shared_ptr<const PcmSound>;

    // What the file was when it was read: a file changed on disk is read again.
    struct FileStamp {
        long long size = -1;
        long long modified = 0;
        bool operator==(const FileStamp&) const = default;
    };
    struct LoadedFile {
        FileStamp stamp;
        Sound sound;  // null: the file is no cue this output can play
    };

    Sound soundFor(const std::string& path);

    // The rest runs with the main loop locked, on the caller's thread or on the loop's own.
    void scheduleConnect();
    void connect();
    void play(Sound sound);
    void stopPlaying();
    void writeCue(pa_stream* stream);
    static void onConnectRequested(pa_mainloop_api* api, void* self);
    static void onContextState(pa_context* context, void* self);
    static void onStreamState(pa_stream* stream, void* self);
    static void onDrained(pa_stream* stream, int success, void* self);

    const std::string applicationName_;
    std::map<std::string, LoadedFile> files_;  // only touched by the caller's thread

    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    bool connectScheduled_ = false;
    pa_stream* stream_ = nullptr;  // the cue playing, if any
    Sound streamSound_;
    Sound waiting_;  // a cue asked for while the connection is still being made
    Clock::time_point waitingSince_;
};

}  // namespace quibbix
