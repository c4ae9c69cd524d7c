#pragma once

#include "platform/EspeakVoice.h"

#include <memory>
#include <string>

// Flags of Speak: asynchronous, purge what is being spoken, text is markup.
enum SpeechFlags : int { kSpeakAsync = 1, kSpeakPurgeBeforeSpeak = 2, kSpeakIsMarkup = 8 };

class SpeechVoice {
public:
    virtual ~SpeechVoice() = default;
    virtual void Speak(const std::string& text, int flags) = 0;
};

// The speech object of the running program; empty while speech is off. Main thread only.
inline std::unique_ptr<SpeechVoice> gSpeechVoice;
// Drops the voice: speech is off until CreateSpeechVoice is called again.
void ResetSpeechVoice();

// Creates the program's voice: espeak-ng on the sound device. Returns an empty pointer, and
// logs why, when espeak-ng cannot start (no sound device) and in a headless run, which must
// never make a sound: speech then stays off.
std::unique_ptr<SpeechVoice> CreateSpeechVoice();
// A voice on espeak-ng with the given output, speaking German while gIniCurrentLanguage is 0
// and English while it is 1 (when espeak-ng has those voices); it follows a change of the
// setting at the next Speak. Empty, logged, when espeak-ng cannot start.
std::unique_ptr<SpeechVoice> CreateEspeakSpeechVoice(platform::EspeakVoiceOptions options);
