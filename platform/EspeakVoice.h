#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>

namespace platform {

// The speak flags, numbered as the speech interface above this layer numbers them.
constexpr int kEspeakAsync = 1;
constexpr int kEspeakPurge = 2;
constexpr int kEspeakMarkup = 8;

enum class EspeakOutput {
    // The default sound device.
    Playback,
    // No device: every buffer of samples goes to EspeakVoiceOptions::onSamples.
    Memory,
};

struct EspeakVoiceOptions {
    EspeakOutput output = EspeakOutput::Playback;
    // Memory output: receives each buffer of 16-bit mono samples at sampleRate(). It runs on
    // espeak-ng's own thread, never after speak() without kEspeakAsync has returned for the
    // last text, and never after the voice is destroyed.
    std::function<void(std::span<const short> samples)> onSamples;
};

// A voice on libespeak-ng. espeak-ng keeps its engine in process-wide state, so at most one
// EspeakVoice exists at a time: creating a second one fails until the first is gone. The engine
// is started by the first voice and kept until the process ends; every later voice of the
// process must ask for the same output.
// Main thread only (the thread that created it); texts are synthesised on espeak-ng's thread.
class EspeakVoice {
public:
    // Null, with `error` set, when espeak-ng cannot start: its data is missing, Playback finds
    // no sound device, another EspeakVoice exists, or the engine runs with the other output.
    static std::unique_ptr<EspeakVoice> create(EspeakVoiceOptions options, std::string& error);
    struct Token; // only create() makes a voice
    EspeakVoice(Token, EspeakVoiceOptions options);
    ~EspeakVoice();
    EspeakVoice(const EspeakVoice&) = delete;
    EspeakVoice& operator=(const EspeakVoice&) = delete;

    // Chooses espeak-ng's voice for a language code ("de", "en"), stopping what is being
    // spoken. False, keeping the voice it had, when espeak-ng has no voice for the language.
    bool setLanguage(const std::string& language);
    // Speaks UTF-8 text. kEspeakPurge first stops whatever is still being spoken or waiting;
    // kEspeakMarkup reads the text as SSML; without kEspeakAsync the call returns once the
    // text has been spoken (with Memory output: once its last samples were delivered).
    void speak(const std::string& text, int flags);
    // Samples per second of the output.
    int sampleRate() const { return m_sampleRate; }

private:
    friend struct EspeakCallbacks;
    bool start(std::string& error);
    void cancel();

    EspeakVoiceOptions m_options;
    int m_sampleRate = 0;
    bool m_started = false;
};

} // namespace platform
