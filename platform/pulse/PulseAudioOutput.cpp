#include "platform/pulse/PulseAudioOutput.h"

#include <sys/stat.h>

namespace quibbix {
namespace {

// A cue asked for while the connection was still being made plays once it is made, unless it
// would come so late that it no longer belongs to what the player did.
constexpr auto LatestWaitingCue = std::chrono::milliseconds(500);

}  // namespace

PulseAudioOutput::PulseAudioOutput(std::string applicationName)
    : applicationName_(std::move(applicationName)) {
    loop_ = pa_threaded_mainloop_new();
    if (loop_ == nullptr) {
        return;
    }
    if (pa_threaded_mainloop_start(loop_) < 0) {
        pa_threaded_mainloop_free(loop_);
        loop_ = nullptr;
        return;
    }
    // The connection is made on the loop's thread, so that the window never waits for it.
    pa_threaded_mainloop_lock(loop_);
    scheduleConnect();
    pa_threaded_mainloop_unlock(loop_);
}

PulseAudioOutput::~PulseAudioOutput() {
    if (loop_ == nullptr) {
        return;
    }
    pa_threaded_mainloop_stop(loop_);
    // The loop's thread has ended: nothing else touches these any more.
    stopPlaying();
    waiting_.reset();
    if (context_ != nullptr) {
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
        pa_context_unref(context_);
    }
    pa_threaded_mainloop_free(loop_);
}

void PulseAudioOutput::playFile(const std::string& path) {
    if (loop_ == nullptr) {
        return;
    }
    Sound sound = soundFor(path);
    pa_threaded_mainloop_lock(loop_);
    if (sound) {
        play(std::move(sound));
    } else {
        // A cue that plays nothing still ends the one before it, which belongs to an earlier move.
        stopPlaying();
        waiting_.reset();
    }
    pa_threaded_mainloop_unlock(loop_);
}

PulseAudioOutput::Sound PulseAudioOutput::soundFor(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        files_.erase(path);
        return nullptr;
    }
    const FileStamp stamp{
        static_cast<long long>(info.st_size),
        static_cast<long long>(info.st_mtim.tv_sec) * 1'000'000'000LL + info.st_mtim.tv_nsec};
    LoadedFile& file = files_[path];
    if (file.stamp != stamp) {
        file.stamp = stamp;
        std::optional<PcmSound> decoded = readWavFile(path);
        file.sound = decoded ? std::make_shared<const PcmSound>(std::move(*decoded)) : nullptr;
    }
    return file.sound;
}

void PulseAudioOutput::scheduleConnect() {
    if (!connectScheduled_) {
        connectScheduled_ = true;
        pa_mainloop_api_once(pa_threaded_mainloop_get_api(loop_), onConnectRequested, this);
    }
}

void PulseAudioOutput::onConnectRequested(pa_mainloop_api*, void* self) {
    auto* output = static_cast<PulseAudioOutput*>(self);
    output->connectScheduled_ = false;
    output->connect();
}

void PulseAudioOutput::connect() {
    stopPlaying();
    if (context_ != nullptr) {
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
        pa_context_unref(context_);
        context_ = nullptr;
    }
    pa_proplist* properties = pa_proplist_new();
    pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, applicationName_.c_str());
    context_ = pa_context_new_with_proplist(pa_threaded_mainloop_get_api(loop_),
                                            applicationName_.c_str(), properties);
    pa_proplist_free(properties);
    if (context_ == nullptr) {
        waiting_.reset();
        return;
    }
    pa_context_set_state_callback(context_, onContextState, this);
    // A game never starts a sound server of its own; it uses the desktop's or none.
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_unref(context_);
        context_ = nullptr;
        waiting_.reset();
    }
}

void PulseAudioOutput::onContextState(pa_context* context, void* self) {
    auto* output = static_cast<PulseAudioOutput*>(self);
    if (context != output->context_) {
        return;
    }
    switch (pa_context_get_state(context)) {
        case PA_CONTEXT_READY: {
            Sound waiting = std::move(output->waiting_);
            output->waiting_.reset();
            if (waiting && Clock::now() - output->waitingSince_ <= LatestWaitingCue) {
                output->play(std::move(waiting));
            }
            break;
        }
        case PA_CONTEXT_FAILED:
        case PA_CONTEXT_TERMINATED:
            // The server has gone: silence until the next cue finds one again.
            output->stopPlaying();
            output->waiting_.reset();
            break;
        default:
            break;
    }
}

void PulseAudioOutput::play(Sound sound) {
    const pa_context_state_t state =
        context_ != nullptr ? pa_context_get_state(context_) : PA_CONTEXT_FAILED;
    if (state != PA_CONTEXT_READY) {
        waiting_ = std::move(sound);
        waitingSince_ = Clock::now();
        if (!PA_CONTEXT_IS_GOOD(state)) {
            scheduleConnect();
        }
        return;
    }
    stopPlaying();  // one cue at a time: the new one cuts the old one short
    const pa_sample_spec format{PA_SAMPLE_S16LE, sound->sampleRate, sound->channels};
    pa_proplist* properties = pa_proplist_new();
    pa_proplist_sets(properties, PA_PROP_MEDIA_ROLE, "game");
    stream_ = pa_stream_new_with_proplist(context_, "cue", &format, nullptr, properties);
    pa_proplist_free(properties);
    if (stream_ == nullptr) {
        return;
    }
    streamSound_ = std::move(sound);
    pa_stream_set_state_callback(stream_, onStreamState, this);
    if (pa_stream_connect_playback(stream_, nullptr, nullptr, PA_STREAM_NOFLAGS, nullptr, nullptr) <
        0) {
        stopPlaying();
    }
}

void PulseAudioOutput::stopPlaying() {
    if (stream_ != nullptr) {
        pa_stream_set_state_callback(stream_, nullptr, nullptr);
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
        stream_ = nullptr;
    }
    streamSound_.reset();
}

void PulseAudioOutput::writeCue(pa_stream* stream) {
    const std::vector<int16_t>& samples = streamSound_->samples;
    // The library copies the samples, so the cue's own buffer stays untouched and shared.
    if (pa_stream_write(stream, samples.data(), samples.size() * sizeof(int16_t), nullptr, 0,
                        PA_SEEK_RELATIVE) < 0) {
        stopPlaying();
        return;
    }
    // The whole cue is there: start it now rather than wait for the server's pre-buffer to fill.
    // (Starting without a pre-buffer would let the server skip the cue's first samples.)
    if (pa_operation* trigger = pa_stream_trigger(stream, nullptr, nullptr)) {
        pa_operation_unref(trigger);
    }
    if (pa_operation* drain = pa_stream_drain(stream, onDrained, this)) {
        pa_operation_unref(drain);
    }
}

void PulseAudioOutput::onStreamState(pa_stream* stream, void* self) {
    auto* output = static_cast<PulseAudioOutput*>(self);
    if (stream != output->stream_) {
        return;
    }
    switch (pa_stream_get_state(stream)) {
        case PA_STREAM_READY:
            output->writeCue(stream);
            break;
        case PA_STREAM_FAILED:
        case PA_STREAM_TERMINATED:
            output->stopPlaying();
            break;
        default:
            break;
    }
}

void PulseAudioOutput::onDrained(pa_stream* stream, int, void* self) {
    auto* output = static_cast<PulseAudioOutput*>(self);
    // The cue has been played to its end; a stream that a newer cue replaced is gone already.
    if (stream == output->stream_) {
        output->stopPlaying();
    }
}

}  // namespace quibbix
