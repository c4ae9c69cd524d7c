#pragma once

// F1: speaks the name of the current menu, or, in the music folders, the highlighted folder
// or title (a title's track announcement is waited for). Every call cuts off what is still
// being said. Does nothing while speech is off and in the modes without a phrase.
void SpeakCurrentMenu();
