#pragma once

// Computes every layout value from the configured resolution and row counts.
void ComputeScreenLayout();

// Nominal height of the list icons, used for centring them in a row; set once at start-up.
inline int gIconHeight = 32;
