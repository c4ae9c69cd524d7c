#pragma once

// F1: speaks the name of the current menu, or the highlighted folder or title.
void SpeakCurrentMenu();
