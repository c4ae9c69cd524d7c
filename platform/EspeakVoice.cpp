#include "platform/EspeakVoice.h"

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

#include <atomic>
#include <optional>

namespace platform {

namespace {
// espeak-ng's engine is process-wide: these belong to the one voice that holds it.
std::atomic<bool> g_engineTaken{false};
std::atomic<EspeakVoice*> g_activeVoice{nullptr};
// Set while a cancel or the shutdown waits for synthesis to stop. With Memory output espeak-ng
// stops a text only when the sample callback asks it to, so the callback answers "abort" then.
std::atomic<bool> g_stopping{false};

// espeak-ng does not come back reliably from espeak_ng_Terminate and a new start in the same
// process (its output thread's flags survive and a later cancel can wait forever), so the
// engine is started once, with the output of the first voice, and kept until the process ends.
// Guarded by g_engineTaken.
bool g_initialised = false;
std::optional<EspeakOutput> g_output;
std::string g_playbackError;

std::string statusText(espeak_ng_STATUS status) {
    char text[256] = {};
    espeak_ng_GetStatusCodeMessage(status, text, sizeof text);
    return text;
}

constexpr auto kRetrieval = espeak_ng_OUTPUT_MODE{};
constexpr auto kProbe =
    static_cast<espeak_ng_OUTPUT_MODE>(ENOUTPUT_MODE_SYNCHRONOUS | ENOUTPUT_MODE_SPEAK_AUDIO);
} // namespace

struct EspeakVoice::Token {};

struct EspeakCallbacks {
    static int samples(short* wav, int count, espeak_EVENT*) {
        if (g_stopping)
            return 1;
        EspeakVoice* voice = g_activeVoice;
        if (wav && count > 0 && voice && voice->m_options.onSamples)
            voice->m_options.onSamples(
                std::span<const short>(wav, static_cast<std::size_t>(count)));
        return 0;
    }
};

std::unique_ptr<EspeakVoice> EspeakVoice::create(EspeakVoiceOptions options, std::string& error) {
    if (g_engineTaken.exchange(true)) {
        error = "espeak-ng is already in use by another voice";
        return nullptr;
    }
    // From here the voice owns the engine; its destructor gives it back, also on failure.
    auto voice = std::make_unique<EspeakVoice>(Token{}, std::move(options));
    if (!voice->start(error))
        return nullptr;
    return voice;
}

EspeakVoice::EspeakVoice(Token, EspeakVoiceOptions options) : m_options(std::move(options)) {}

bool EspeakVoice::start(std::string& error) {
    const EspeakOutput output = m_options.output;
    if (!g_initialised) {
        espeak_ng_InitializePath(nullptr);
        espeak_ng_ERROR_CONTEXT context = nullptr;
        const espeak_ng_STATUS status = espeak_ng_Initialize(&context);
        espeak_ng_ClearErrorContext(&context);
        if (status != ENS_OK) {
            error = "espeak-ng cannot start: " + statusText(status);
            return false;
        }
        g_initialised = true;
    }
    if (g_output && *g_output != output) {
        error = "espeak-ng runs with another output in this process";
        return false;
    }
    if (!g_output) {
        if (output == EspeakOutput::Playback) {
            if (g_playbackError.empty()) {
                // espeak-ng opens the sound device only when it speaks, and reports a missing
                // device only to a synchronous call, so an empty text is spoken that way once to
                // find out. It makes no sound where a device exists.
                espeak_ng_STATUS status = espeak_ng_InitializeOutput(kProbe, 0, nullptr);
                if (status == ENS_OK)
                    status = espeak_ng_Synthesize("", 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8,
                                                  nullptr, nullptr);
                if (status != ENS_OK)
                    g_playbackError = "espeak-ng cannot start: " + statusText(status);
            }
            if (!g_playbackError.empty()) {
                error = g_playbackError;
                return false;
            }
        }
        const espeak_ng_STATUS status = espeak_ng_InitializeOutput(
            output == EspeakOutput::Playback ? ENOUTPUT_MODE_SPEAK_AUDIO : kRetrieval, 0, nullptr);
        if (status != ENS_OK) {
            error = "espeak-ng cannot start: " + statusText(status);
            return false;
        }
        g_output = output;
        if (output == EspeakOutput::Memory)
            espeak_SetSynthCallback(&EspeakCallbacks::samples);
    }
    g_activeVoice = this;
    m_started = true;
    m_sampleRate = espeak_ng_GetSampleRate();
    return true;
}

EspeakVoice::~EspeakVoice() {
    // Nothing of this voice may be said, or reach its onSamples, after it is gone.
    if (m_started)
        cancel();
    g_activeVoice = nullptr;
    g_engineTaken = false;
}

void EspeakVoice::cancel() {
    g_stopping = true;
    espeak_ng_Cancel();
    // espeak-ng's cancel does not always wait for the text being synthesised to stop.
    espeak_ng_Synchronize();
    g_stopping = false;
}

bool EspeakVoice::setLanguage(const std::string& language) {
    cancel();
    espeak_VOICE wanted{};
    wanted.languages = language.c_str();
    return espeak_ng_SetVoiceByProperties(&wanted) == ENS_OK;
}

void EspeakVoice::speak(const std::string& text, int flags) {
    if (flags & kEspeakPurge)
        cancel();
    unsigned int synthFlags = espeakCHARS_UTF8;
    if (flags & kEspeakMarkup)
        synthFlags |= espeakSSML;
    espeak_ng_Synthesize(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, synthFlags, nullptr,
                         nullptr);
    if (!(flags & kEspeakAsync))
        espeak_ng_Synchronize();
}

} // namespace platform
