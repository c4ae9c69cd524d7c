#include "speech/SpokenMenu.h"

#include "app/Log.h"

// Placeholder: the spoken menu names come with the speech output.
void SpeakCurrentMenu() {
    LogLine("enter SpeakCurrentMenu()");
}
