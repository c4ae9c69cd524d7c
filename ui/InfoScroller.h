#pragma once

#include <string>

class TListElement;

// The running info text of the status line and the 1-based position of its visible window;
// empty while no info text runs. Main thread only.
inline std::string gInfoScrollerText;
inline int gInfoScrollerPos = 1;
// Seconds of playing left until ChooseInfoText starts the next info text, and which of the
// three texts about the play queue comes next (0 the next title, 1 the titles left, 2 the
// playing time left). Main thread only; start-up sets both (StartInfoScrollerCountdown), and
// before it no countdown runs.
inline int gSecondsUntilNextInfo = -1;
inline int gInfoTextKind = 2;
// Stops showing an info text and forgets the countdown, as before start-up.
void ResetInfoScroller();

// INFO: runs the element's info text through the status line from its first character.
void callFunction_Info(const TListElement& element);

// Start-up: the first info text comes after gIniSecondsUntilNextInfoScroller seconds of playing
// and tells the playing time left in the queue.
void StartInfoScrollerCountdown();
// Called once for every second that music or a video plays: counts down to the next info text
// and starts it when the countdown reaches 0.
void CountDownToNextInfoText();
// Starts the next info text: with r (0..11) 3 or 4 the number of titles in the library, 5 the
// number of playlists, otherwise the next of the three texts about the play queue (none while
// the queue is empty). The countdown starts again in every case.
void ChooseInfoText(int r);
// The same with r drawn at random.
void ChooseInfoText();
// Handler of Timer_InfoScroller: moves the running text on by one character and ends it after
// its last one.
void Timer_InfoScrollerTimer();
