#include "library/LibraryScan.h"

void BuildLibrary(const std::string& /*musicRoot*/, std::stop_token /*stop*/) {
    // The library lists are filled by the scan once it is built; until then they stay empty.
}
