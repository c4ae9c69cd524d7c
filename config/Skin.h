#pragma once

// Reads the skin definition of gIniSkinName (row and slot counts, font scale).
void ReadSkinDefinition();
// Reads the skin, sizes the window to the configured resolution and computes the layout.
// withPictures also loads the skin's picture set.
void LoadSkin(bool withPictures);
// Frees the skin's pictures (the window is being destroyed).
void FreeSkin();
