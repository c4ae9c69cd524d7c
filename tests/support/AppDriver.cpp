#include "support/AppDriver.h"

#include "app/AppState.h"
#include "app/MenuModes.h"
#include "app/Program.h"
#include "app/ResetAllState.h"
#include "config/Config.h"
#include "config/Skin.h"
#include "input/Menubar.h"
#include "library/Mp3TestData.h"
#include "platform/KeyMap.h"
#include "playback/Players.h"
#include "support/TestJpeg.h"
#include "ui/Layout.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace testsupport {

namespace {

std::string bytesToString(const std::vector<std::uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

// A short constant-bitrate title with an ID3v1 tag.
std::string mp3Title(const std::string& artist, const std::string& title, int trackNo,
                     const std::string& year) {
    mp3test::Tag tag;
    tag.artist = artist.substr(0, 30);
    tag.title = title.substr(0, 30);
    tag.year = year.substr(0, 4);
    tag.trackMarker = 0;
    tag.trackNo = trackNo;
    const mp3test::Bytes file =
        mp3test::cbrFile(4 * mp3test::kCbr128FrameLength, mp3test::tagBlock(tag));
    return bytesToString(file);
}

std::string jpeg(platform::Color color) {
    return bytesToString(encodeSolidJpeg(48, 48, color));
}

std::string desktopEntry(const std::string& name, const std::string& comment) {
    return "[Desktop Entry]\nType=Application\nName=" + name + "\nComment=" + comment +
           "\nExec=/bin/true\n";
}

// The title "Artist - Song.mp3" of a music folder.
std::string titleFileName(const std::string& artist, const std::string& song) {
    return artist + " - " + song + ".mp3";
}

const std::vector<std::string> kFirstFolderSongs = {"Dancing Queen", "Mamma Mia", "Waterloo"};

void writeText(const std::string& path, const std::string& text) {
    writeFile(path, text);
}

} // namespace

const std::vector<std::string>& AppDriver::Library::musicFolders() {
    static const std::vector<std::string> folders = {
        "ABBA", "Beatles", "Coldplay",  "Deep Purple", "Eagles", "Genesis", "Kraftwerk", "Madonna",
        "Nena", "Queen",   "Rammstein", "Scorpions",   "Toto",   "Yes",     "Zappa"};
    return folders;
}

const std::vector<std::string>& AppDriver::Library::musicRootTitles() {
    static const std::vector<std::string> titles = {"Einzeltitel - Sommerhit.mp3",
                                                    "Zugabe - Finale.mp3"};
    return titles;
}

const std::vector<std::string>& AppDriver::Library::titlesOfFirstMusicFolder() {
    static const std::vector<std::string> titles = [] {
        std::vector<std::string> names;
        for (const std::string& song : kFirstFolderSongs)
            names.push_back(titleFileName(musicFolders().front(), song));
        return names;
    }();
    return titles;
}

const std::vector<std::string>& AppDriver::Library::photoFolders() {
    static const std::vector<std::string> folders = {"Familie", "Urlaub"};
    return folders;
}

const std::vector<std::string>& AppDriver::Library::photosOfPhotoRoot() {
    static const std::vector<std::string> photos = {"Sonnenuntergang.jpg", "Strand.jpg"};
    return photos;
}

const std::vector<std::string>& AppDriver::Library::videoFolders() {
    static const std::vector<std::string> folders = {"Serien"};
    return folders;
}

const std::vector<std::string>& AppDriver::Library::videosOfVideoRoot() {
    // The video listing takes "*.mpg" before "*.avi".
    static const std::vector<std::string> videos = {"Clip.mpg", "Film.avi"};
    return videos;
}

const std::vector<std::string>& AppDriver::Library::programFolders() {
    static const std::vector<std::string> folders = {"Spiele"};
    return folders;
}

const std::vector<std::string>& AppDriver::Library::programLinks() {
    static const std::vector<std::string> links = {"Editor", "Rechner"};
    return links;
}

std::optional<SdlKeyCodes> sdlKeyFor(int virtualKey) {
    // Every physical key of SDL's own layout, looked up through the program's key table.
    for (int code = SDL_SCANCODE_UNKNOWN + 1; code < SDL_NUM_SCANCODES; ++code) {
        const auto scancode = static_cast<SDL_Scancode>(code);
        SDL_Keycode keycode = SDL_GetKeyFromScancode(scancode);
        if (keycode == SDLK_UNKNOWN)
            keycode = SDL_SCANCODE_TO_KEYCODE(scancode);
        if (platform::virtualKeyFromSdl(keycode, scancode) == virtualKey)
            return SdlKeyCodes{keycode, scancode};
    }
    return std::nullopt;
}

AppDriver::AppDriver(Players players) : m_players(players) {}

AppDriver::~AppDriver() {
    if (m_form) {
        m_form->FormDestroy();
        m_form.reset();
    }
    m_debugForm.reset();
}

void AppDriver::createLibrary(const Settings& settings) {
    const std::string folder = m_folder.path();
    linkRepositorySkins(folder);

    const std::string config =
        "[Options]\r\nShowDebugWindow=1\r\nMouseButtonClicksToStart=" +
        std::to_string(settings.mouseButtonClicksToStart) + "\r\n" + settings.moreOptions +
        "[Paths]\r\nMP3Path=" + musicRoot() + "\r\nFotosPath=" + photoRoot() +
        "\r\nProgramLinksPath=" + programLinkRoot() + "\r\nVideoPath=" + videoRoot() +
        "\r\n[Display]\r\nScreenWidth=" + std::to_string(settings.screenWidth) +
        "\r\nScreenHeight=" + std::to_string(settings.screenHeight) + "\r\n" +
        settings.moreDisplay + "[Skin]\r\nSkinName=Default\r\nAvailableSkins=Default\r\n";
    writeText(folder + "/Config.ini", config);

    // Music: every folder holds its titles and a front and a back cover.
    int hue = 0;
    for (const std::string& artist : Library::musicFolders()) {
        const std::string dir = musicRoot() + artist + "/";
        const std::vector<std::string> songs = artist == Library::musicFolders().front()
                                                   ? kFirstFolderSongs
                                                   : std::vector<std::string>{"Hit"};
        int track = 1;
        for (const std::string& song : songs) {
            writeFile(dir + titleFileName(artist, song), mp3Title(artist, song, track, "1980"));
            ++track;
        }
        hue += 15;
        writeFile(dir + artist + "_front.jpg", jpeg(platform::rgb(200, hue, 40)));
        writeFile(dir + artist + "_back.jpg", jpeg(platform::rgb(40, hue, 200)));
    }
    for (const std::string& title : Library::musicRootTitles()) {
        const std::string artist = title.substr(0, title.find(" - "));
        const std::string song =
            title.substr(title.find(" - ") + 3, title.size() - title.find(" - ") - 3 - 4);
        writeFile(musicRoot() + title, mp3Title(artist, song, 0, "2001"));
    }

    // Photos: a few in the root and in each folder.
    for (const std::string& photo : Library::photosOfPhotoRoot())
        writeFile(photoRoot() + photo, jpeg(platform::rgb(250, 160, 60)));
    writeFile(photoRoot() + "Familie/Oma.jpg", jpeg(platform::rgb(90, 90, 90)));
    writeFile(photoRoot() + "Urlaub/Bild1.jpg", jpeg(platform::rgb(30, 120, 220)));
    writeFile(photoRoot() + "Urlaub/Bild2.jpg", jpeg(platform::rgb(30, 220, 120)));

    // Videos: the listing only needs their names.
    for (const std::string& video : Library::videosOfVideoRoot())
        writeFile(videoRoot() + video, "");
    writeFile(videoRoot() + "Serien/Folge 1.avi", "");

    // Program links: desktop entries that start a program doing nothing.
    writeFile(programLinkRoot() + "Editor.desktop", desktopEntry("Editor", "Texte bearbeiten"));
    writeFile(programLinkRoot() + "Rechner.desktop", desktopEntry("Rechner", "Taschenrechner"));
    writeFile(programLinkRoot() + "Spiele/Schach.desktop", desktopEntry("Schach", "Brettspiel"));
}

bool AppDriver::start() {
    // A start is a new process: nothing of an earlier run or test remains, not even the lines
    // logged while no log was open, so that log() shows this run only.
    ResetAllState();

    TMainform::Options options{m_folder.path(), &m_clock, {}};
    if (m_players == Players::Real) {
        options.clock = nullptr;
    } else {
        options.makePlayer = [this](bool video) {
            return std::make_unique<FakePlayer>(m_clock, video);
        };
    }
    m_form = std::make_unique<TMainform>(options);
    m_form->loop().setModalIdleHandler([this] {
        if (m_dialogAnswers.empty())
            return false;
        const std::function<void()> answer = std::move(m_dialogAnswers.front());
        m_dialogAnswers.pop_front();
        answer();
        return true;
    });
    m_form->FormCreate();
    if (m_form->terminated()) {
        m_form->FormDestroy();
        m_form.reset();
        return false;
    }
    // As in the program: the log opens once the window exists, then the window is shown.
    m_debugForm = std::make_unique<TDebugForm>(gProgramDirectory);
    m_form->FormShow();
    pump();
    return true;
}

FakePlayer& AppDriver::musicPlayer() {
    return dynamic_cast<FakePlayer&>(*gMusicPlayer);
}

FakePlayer& AppDriver::videoPlayer() {
    return dynamic_cast<FakePlayer&>(*gVideoPlayer);
}

void AppDriver::stop() {
    if (!m_form)
        return;
    callFunction_Exit();
    m_form->FormDestroy();
    m_form.reset();
}

void AppDriver::push(SDL_Event& event) {
    if (m_form && m_form->window() && m_form->window()->handle()) {
        const Uint32 windowId = SDL_GetWindowID(m_form->window()->handle());
        switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            event.key.windowID = windowId;
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            event.button.windowID = windowId;
            break;
        case SDL_MOUSEMOTION:
            event.motion.windowID = windowId;
            break;
        case SDL_MOUSEWHEEL:
            event.wheel.windowID = windowId;
            break;
        default:
            break;
        }
    }
    event.common.timestamp = SDL_GetTicks();
    SDL_PushEvent(&event);
    pump();
}

void AppDriver::pressKey(int virtualKey, bool shift, bool ctrl) {
    const std::optional<SdlKeyCodes> codes = sdlKeyFor(virtualKey);
    if (!codes) {
        ADD_FAILURE_AT(__FILE__, __LINE__);
        return;
    }
    pressSdlKey(codes->keycode, codes->scancode, shift, ctrl);
}

void AppDriver::pressSdlKey(SDL_Keycode keycode, SDL_Scancode scancode, bool shift, bool ctrl) {
    Uint16 modifiers = KMOD_NONE;
    if (shift)
        modifiers |= KMOD_LSHIFT;
    if (ctrl)
        modifiers |= KMOD_LCTRL;
    for (const Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) {
        SDL_Event event{};
        event.type = type;
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.sym = keycode;
        event.key.keysym.scancode = scancode;
        event.key.keysym.mod = modifiers;
        push(event);
    }
}

void AppDriver::typeText(const std::string& text) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    SDL_strlcpy(event.text.text, text.c_str(), sizeof event.text.text);
    push(event);
}

void AppDriver::answerDialogs(std::vector<std::function<void()>> answers) {
    for (auto& answer : answers)
        m_dialogAnswers.push_back(std::move(answer));
}

void AppDriver::mouseDown(int x, int y, int button, int clicks) {
    SDL_Event event{};
    event.type = SDL_MOUSEBUTTONDOWN;
    event.button.button = static_cast<Uint8>(button);
    event.button.state = SDL_PRESSED;
    event.button.clicks = static_cast<Uint8>(clicks);
    event.button.x = x;
    event.button.y = y;
    push(event);
}

void AppDriver::mouseUp(int x, int y, int button, int clicks) {
    SDL_Event event{};
    event.type = SDL_MOUSEBUTTONUP;
    event.button.button = static_cast<Uint8>(button);
    event.button.state = SDL_RELEASED;
    event.button.clicks = static_cast<Uint8>(clicks);
    event.button.x = x;
    event.button.y = y;
    push(event);
}

void AppDriver::click(int x, int y, int clicks, int button) {
    for (int press = 1; press <= clicks; ++press) {
        mouseDown(x, y, button, press);
        mouseUp(x, y, button, press);
    }
}

void AppDriver::moveMouse(int x, int y) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = x;
    event.motion.y = y;
    push(event);
}

void AppDriver::wheel(int steps) {
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.y = steps;
    event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    push(event);
}

void AppDriver::pump() {
    if (m_form)
        m_form->loop().processPending();
}

void AppDriver::advance(std::int64_t ms) {
    if (m_form)
        m_form->loop().advance(ms);
}

bool AppDriver::waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        pump();
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

std::string AppDriver::log() const {
    return readFile(m_folder.path() + "/debug.txt");
}

bool AppDriver::logHasLine(const std::string& line) const {
    const std::string text = "\n" + log();
    return text.find("\n" + line + "\r\n") != std::string::npos;
}

int AppDriver::logCount(const std::string& text) const {
    const std::string all = log();
    int count = 0;
    for (std::size_t at = all.find(text); at != std::string::npos;
         at = all.find(text, at + text.size()))
        ++count;
    return count;
}

const platform::Canvas& AppDriver::frame() {
    m_form->FormPaint();
    return m_form->window()->canvas();
}

SDL_Point AppDriver::rowCenter(int row) const {
    const int pitch = gMenuMode == mmMain ? gTitlebarHeightMainmenu : gTitlebarHeight;
    return {(gTitlebarLeft + gTitlebarRight) / 2, gListTop + row * pitch + pitch / 2};
}

SDL_Point AppDriver::menubarSlotCenter(int slot) const {
    return {(gMenubarRect.left + gMenubarRect.right) / 2,
            gMenubarRect.top + slot * gMenubarHeight + gMenubarHeight / 2};
}

std::optional<int> AppDriver::menubarSlotOf(const std::string& command) const {
    // Button 0 is in the bottom slot and the later ones go upward.
    for (int item = 0; item < gNumberOfMenuItems; ++item) {
        if (gMenubarItems[static_cast<std::size_t>(item)].Command == command)
            return gNumberOfMenubars - 1 - item;
    }
    return std::nullopt;
}

SDL_Point AppDriver::scrollbarAt(int y) const {
    return {(gScrollbarRect.left + gScrollbarRect.right) / 2, y};
}

SDL_Point AppDriver::scrollbarUpArrow() const {
    return scrollbarAt(gScrollbarRect.top - 8);
}

SDL_Point AppDriver::scrollbarDownArrow() const {
    return scrollbarAt(gScrollbarRect.bottom + 7);
}

SDL_Point AppDriver::headerHome() const {
    return {gIniScreenWidth / 4, gHeaderBarRect.height() / 2};
}

SDL_Point AppDriver::headerCaption() const {
    const int mouseIconLeft = gTitlebarRight - 6 - gSkin.IconMouse1.width();
    return {(gIniScreenWidth / 2 + mouseIconLeft) / 2, gHeaderBarRect.height() / 2};
}

std::vector<std::string> AppDriver::listNames() {
    std::vector<std::string> names;
    for (int index = 0; gListElements && index < gListElements->count(); ++index)
        names.push_back(gListElements->element(index)->Name());
    return names;
}

std::string AppDriver::currentName() {
    const ListElementPtr element = CurrentListElement();
    return element ? element->Name() : std::string();
}

int AppDriver::currentIndex() {
    return gListElementOffset + HightlightTitlebarIndex;
}

} // namespace testsupport
