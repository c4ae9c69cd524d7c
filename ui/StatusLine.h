#pragma once

// Draws the whole status line: status text and progress.
void DrawStatusLine();
