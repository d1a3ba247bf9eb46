#pragma once
// The real audio engine: FFmpeg decodes, an AudioOutput (SDL in the
// programs, a capture sink in tests) plays. Each system owns one output
// device and a mixer of up to its channel count; each playing channel owns
// a decoding thread that keeps a short buffer of decoded audio ahead of the
// output. All calls come from the owner's thread (see AudioEngine.h); none
// waits for decoding, except that a blocking open of a stream in
// accurate-time mode scans the file first, as that mode promises (unless the
// unchanged file was scanned before). A non-blocking open runs on a thread
// of its own (StreamOpening). An output may rest while none of its channels
// plays; a play, a resume or a seek wakes it (AudioOutput::wake).
#include "engine/AudioEngine.h"
#include "engine/AudioOutput.h"
#include "engine/HandleTable.h"
#include "engine/Mixer.h"
#include "engine/SoundSource.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace cantorel::engine {

class ChannelPlayback;
class StreamOpening;

class FfmpegAudioEngine : public AudioEngine {
public:
    // `opener` opens the streams (openSoundSource; tests may hold opens back).
    explicit FfmpegAudioEngine(AudioOutputFactory outputFactory, SourceOpener opener = openSoundSource);
    ~FfmpegAudioEngine() override;
    FfmpegAudioEngine(const FfmpegAudioEngine&) = delete;
    FfmpegAudioEngine& operator=(const FfmpegAudioEngine&) = delete;

    Result systemCreate(Handle* system) override;
    Result systemGetVersion(Handle system, unsigned* version) override;
    Result systemInit(Handle system, int maxChannels, unsigned flags) override;
    Result systemCreateStream(Handle system, const QString& path, unsigned mode, Handle* sound) override;
    Result systemSetOpenListener(Handle system, std::function<void(Handle sound)> listener) override;
    Result systemPlaySound(Handle system, int channelIndex, Handle sound, bool paused, Handle* channel) override;
    Result systemClose(Handle system) override;
    Result systemRelease(Handle system) override;

    Result channelSetPaused(Handle channel, bool paused) override;
    Result channelSetPosition(Handle channel, unsigned position, unsigned timeUnit) override;
    Result channelGetPosition(Handle channel, unsigned* position, unsigned timeUnit) override;
    Result channelSetVolume(Handle channel, float volume) override;
    Result channelSetMute(Handle channel, bool mute) override;
    Result channelGetCurrentSound(Handle channel, Handle* sound) override;

    Result soundGetLength(Handle sound, unsigned* length, unsigned timeUnit) override;
    Result soundGetOpenState(Handle sound, OpenState* state, Result* openResult) override;
    Result soundRelease(Handle sound) override;

    // How long closing a system waits, in all, for its opens to give up.
    static constexpr std::chrono::milliseconds kOpenCancelWait {200};

private:
    // A system's open listener, shared with the threads of its opens.
    struct OpenListener {
        std::mutex mutex;
        std::function<void(Handle)> call;
    };
    struct System {
        bool initialised = false;
        std::unique_ptr<Mixer> mixer;
        std::unique_ptr<AudioOutput> output;
        std::vector<Handle> slots; // channel handle per channel index, 0 = free
        std::shared_ptr<OpenListener> listener = std::make_shared<OpenListener>();
    };
    struct Sound {
        Handle system = 0;
        std::shared_ptr<const SoundSource> source; // null until opened
        std::shared_ptr<StreamOpening> opening;    // a non-blocking open not yet taken in
        Handle channel = 0;
    };
    struct Channel {
        Handle system = 0;
        Handle sound = 0;
        int slot = 0;
        std::uint64_t started = 0;
        std::shared_ptr<ChannelPlayback> playback; // null once taken over
    };

    // The opened sound of `handle`, or null with the result to return:
    // InvalidHandle, NotReady while it is opening, or its open's failure.
    Sound* openedSound(Handle handle, Result* failure);
    // The output frame being heard now on `system`'s output.
    std::int64_t heardFrame(Handle system) const;
    // Something of `system` may play again: its output, if resting, asks
    // for audio again (AudioOutput::wake).
    void wakeOutput(Handle system);
    // The live channel of `handle`, or null with the result to return:
    // InvalidHandle when it is gone or has played to its end, ChannelStolen
    // when another play took it over.
    Channel* liveChannel(Handle handle, Result* failure);
    // Stops the channel's playback; `keepAsStolen` leaves its handle behind
    // so that it answers ChannelStolen.
    void endChannel(Handle handle, bool keepAsStolen);
    void retireFinished(Handle system);
    void closeSystem(Handle handle, System& system);

    AudioOutputFactory m_outputFactory;
    SourceOpener m_opener;
    HandleTable<System> m_systems {1};
    HandleTable<Sound> m_sounds {2};
    HandleTable<Channel> m_channels {3};
    std::uint64_t m_playCount = 0;
};

} // namespace cantorel::engine
