#pragma once

#include <string>

// The one-string object carried as the value of keyed string lists (ratings, scan results).
struct TMyString {
    std::string Text;
};
