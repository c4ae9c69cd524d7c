#pragma once

#include <memory>
#include <string>

// Flags of Speak: asynchronous, purge what is being spoken, text is markup.
enum SpeechFlags : int { kSpeakAsync = 1, kSpeakPurgeBeforeSpeak = 2, kSpeakIsMarkup = 8 };

class SpeechVoice {
public:
    virtual ~SpeechVoice() = default;
    virtual void Speak(const std::string& text, int flags) = 0;
};

// The speech object of the running program; empty while speech is off.
inline std::unique_ptr<SpeechVoice> gSpeechVoice;
// Drops the voice: speech is off until CreateSpeechVoice is called again.
void ResetSpeechVoice();

// Creates the voice, or returns an empty pointer (and logs it once) when no speech engine can
// start: speech then stays off.
std::unique_ptr<SpeechVoice> CreateSpeechVoice();
