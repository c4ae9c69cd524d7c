#include "speech/SpeechVoice.h"

#include "app/Log.h"

std::unique_ptr<SpeechVoice> CreateSpeechVoice() {
    // The speech engine is not wired in yet; the program runs without speech.
    LogLine("speech output is not available; speech stays off");
    return nullptr;
}

void ResetSpeechVoice() {
    gSpeechVoice.reset();
}
