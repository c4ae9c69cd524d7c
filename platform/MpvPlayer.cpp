#include "platform/MpvPlayer.h"
// Temporary stand-in until the libmpv player lands.
namespace platform {
std::unique_ptr<MediaPlayer> createMpvPlayer(MainLoop&, MpvPlayerOptions, std::string& error) {
    error = "no libmpv player in this build";
    return nullptr;
}
} // namespace platform
