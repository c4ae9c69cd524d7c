#include "speech/SpeechVoice.h"

#include "app/Log.h"
#include "config/Config.h"
#include "platform/MessageBox.h"

namespace {

static_assert(kSpeakAsync == platform::kEspeakAsync &&
              kSpeakPurgeBeforeSpeak == platform::kEspeakPurge &&
              kSpeakIsMarkup == platform::kEspeakMarkup);

class EspeakSpeechVoice : public SpeechVoice {
public:
    explicit EspeakSpeechVoice(std::unique_ptr<platform::EspeakVoice> engine)
        : m_engine(std::move(engine)) {}

    void Speak(const std::string& text, int flags) override {
        followLanguage();
        m_engine->speak(text, flags);
    }

private:
    // The language can change on the options screen while the voice lives.
    void followLanguage() {
        if (m_language == gIniCurrentLanguage)
            return;
        m_language = gIniCurrentLanguage;
        const std::string code = m_language == 1 ? "en" : "de";
        if (!m_engine->setLanguage(code))
            LogLine("speech: espeak-ng has no voice for \"" + code + "\"; the voice stays");
    }

    std::unique_ptr<platform::EspeakVoice> m_engine;
    // The gIniCurrentLanguage the engine's voice was chosen for; -1 before the first Speak.
    int m_language = -1;
};

} // namespace

std::unique_ptr<SpeechVoice> CreateEspeakSpeechVoice(platform::EspeakVoiceOptions options) {
    std::string error;
    std::unique_ptr<platform::EspeakVoice> engine =
        platform::EspeakVoice::create(std::move(options), error);
    if (!engine) {
        LogLine("speech is off: " + error);
        return nullptr;
    }
    return std::make_unique<EspeakSpeechVoice>(std::move(engine));
}

std::unique_ptr<SpeechVoice> CreateSpeechVoice() {
    // Nobody listens to a headless run (tests, screenshots), and each start of espeak-ng costs
    // time and takes its one process-wide engine; the engine itself is tested in memory.
    if (platform::runningHeadless()) {
        LogLine("speech is off: headless run");
        return nullptr;
    }
    return CreateEspeakSpeechVoice({});
}

void ResetSpeechVoice() {
    gSpeechVoice.reset();
}
