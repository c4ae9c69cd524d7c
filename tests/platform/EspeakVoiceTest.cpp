#include "platform/EspeakVoice.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>

namespace {

using platform::kEspeakAsync;
using platform::kEspeakMarkup;
using platform::kEspeakPurge;

// Every voice here synthesises into memory: no sound device is needed and none is heard.
class EspeakVoiceTest : public ::testing::Test {
protected:
    std::unique_ptr<platform::EspeakVoice> makeVoice(std::string* error = nullptr) {
        platform::EspeakVoiceOptions options;
        options.output = platform::EspeakOutput::Memory;
        options.onSamples = [this](std::span<const short> buffer) { samples += buffer.size(); };
        std::string message;
        auto voice = platform::EspeakVoice::create(std::move(options), message);
        if (error)
            *error = message;
        else
            EXPECT_TRUE(voice) << message;
        return voice;
    }
    // Samples of one text spoken synchronously by itself.
    std::size_t samplesOf(platform::EspeakVoice& voice, const std::string& text, int flags) {
        samples = 0;
        voice.speak(text, flags);
        return samples;
    }

    std::atomic<std::size_t> samples{0};
};

TEST_F(EspeakVoiceTest, SynthesisesAPhraseIntoMemoryInGermanAndEnglish) {
    auto voice = makeVoice();
    ASSERT_TRUE(voice);
    const std::size_t rate = static_cast<std::size_t>(voice->sampleRate());
    ASSERT_GT(rate, 0u);
    EXPECT_FALSE(voice->setLanguage("xx")) << "no such language";
    for (const char* language : {"de", "en"}) {
        SCOPED_TRACE(language);
        EXPECT_TRUE(voice->setLanguage(language));
        const std::size_t spoken = samplesOf(*voice, "photoa hhmenu", kEspeakPurge | kEspeakMarkup);
        // Two words last more than a quarter and less than five seconds.
        EXPECT_GT(spoken, rate / 4);
        EXPECT_LT(spoken, rate * 5);
    }
    // The synchronous call returned after the last samples: stopping the engine adds none.
    const std::size_t before = samples;
    voice.reset();
    EXPECT_EQ(samples, before);
}

TEST_F(EspeakVoiceTest, MarkupFlagReadsSsmlAndPurgeCutsOffWhatIsBeingSaid) {
    auto voice = makeVoice();
    ASSERT_TRUE(voice);
    const std::size_t rate = static_cast<std::size_t>(voice->sampleRate());

    // Only as markup does the break element become ten seconds of silence.
    const std::string withBreak = "eins <break time=\"10s\"/> zwei";
    EXPECT_GE(samplesOf(*voice, withBreak, kEspeakMarkup), rate * 10);
    EXPECT_LT(samplesOf(*voice, withBreak, 0), rate * 10);

    std::string longText;
    for (int i = 0; i < 20; ++i)
        longText += "This sentence is said again and again, and nobody waits for its end. ";
    const std::size_t whole = samplesOf(*voice, longText, 0);
    const std::size_t shortWord = samplesOf(*voice, "beck", 0);
    samples = 0;
    voice->speak(longText, kEspeakAsync | kEspeakPurge);
    voice->speak("beck", kEspeakPurge);
    EXPECT_LT(samples, whole / 2) << "the long text was not cut off";
    EXPECT_GT(samples, shortWord / 2) << "beck was said after the cut";
}

TEST_F(EspeakVoiceTest, OneVoiceAtATime) {
    {
        auto first = makeVoice();
        ASSERT_TRUE(first);
        std::string error;
        EXPECT_FALSE(makeVoice(&error));
        EXPECT_NE(error.find("in use"), std::string::npos) << error;
        EXPECT_GT(samplesOf(*first, "jukebox", kEspeakPurge), 0u) << "the first voice still works";
    }

    // A refused start leaves the engine to the next voice.
    auto again = makeVoice();
    ASSERT_TRUE(again);
    EXPECT_GT(samplesOf(*again, "search", kEspeakPurge), 0u);
}

} // namespace
