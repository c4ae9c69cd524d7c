#include "input/Keyboard.h"

void FormKeyDown(int /*key*/, bool /*shift*/, bool /*ctrl*/) {}
void FormTextInput(const std::string& /*text*/) {}
