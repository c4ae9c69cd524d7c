#include "pictures/SlideShow.h"

#include "config/Ratings.h"
#include "platform/Encoding.h"
#include "platform/FileSystem.h"
#include "platform/KeyMap.h"
#include "ui/CBImage.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace {

namespace vk = platform::vk;

// A cross-fade takes this long, or half the pause when the pause is shorter.
constexpr int kLongestFadeMs = 600;
constexpr int kFadeStepMs = 40;
constexpr platform::Color kBlack = platform::rgb(0, 0, 0);
constexpr platform::Color kTitleColor = platform::rgb(255, 255, 255);
constexpr platform::Color kTitleShadow = platform::rgb(16, 16, 16);

std::optional<int> positiveNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value <= 0)
        return std::nullopt;
    return value;
}

bool isJpegName(const std::string& name) {
    const std::string upper = platform::asciiUpper(name);
    const auto endsWith = [&upper](std::string_view suffix) {
        return upper.size() > suffix.size() && upper.ends_with(suffix);
    };
    return endsWith(".JPG") || endsWith(".JPEG");
}

std::string withoutExtension(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

} // namespace

std::optional<SlideShowSettings> ParseSlideShowArguments(const std::vector<std::string>& args,
                                                         std::string& error) {
    SlideShowSettings settings;
    std::optional<int> width, height, pause;
    std::optional<std::string> folder;
    for (const std::string& arg : args) {
        const std::size_t equals = arg.find('=');
        const std::string name = platform::asciiUpper(arg.substr(0, equals));
        const std::string value = equals == std::string::npos ? "" : arg.substr(equals + 1);
        const auto number = [&](std::optional<int>& target) {
            if (target || !(target = positiveNumber(value)))
                error = "bad or repeated " + arg.substr(0, equals);
            return target.has_value() && error.empty();
        };
        bool ok = false;
        if (equals == std::string::npos) {
            error = "unknown argument " + arg;
        } else if (name == "/RESX") {
            ok = number(width);
        } else if (name == "/RESY") {
            ok = number(height);
        } else if (name == "/PAUSE") {
            ok = number(pause);
        } else if (name == "/DIR") {
            std::string path = value;
            if (path.size() >= 2 && path.front() == '"' && path.back() == '"')
                path = path.substr(1, path.size() - 2);
            if (folder || path.empty())
                error = "bad or repeated /Dir";
            else
                folder = platform::withTrailingSlash(path);
            ok = error.empty();
        } else {
            error = "unknown argument " + arg;
        }
        if (!ok)
            return std::nullopt;
    }
    if (!width || !height || !pause || !folder) {
        error = "/ResX, /ResY, /Pause and /Dir are all needed";
        return std::nullopt;
    }
    settings.width = *width;
    settings.height = *height;
    settings.pauseMs = *pause;
    settings.folder = *folder;
    return settings;
}

std::vector<std::string> SlideShowPhotos(const std::string& folder) {
    std::vector<std::string> photos;
    for (const platform::DirEntry& entry :
         platform::listDirectory(folder, "*", platform::EntryFilter::Plain)) {
        if (isJpegName(entry.name))
            photos.push_back(entry.name);
    }
    return photos;
}

SlideShow::SlideShow(const SlideShowSettings& settings, platform::Clock& clock)
    : m_settings(settings), m_clock(clock), m_loop(clock),
      m_window("Diashow", settings.width, settings.height),
      m_pauseTimer(m_loop, "Timer_DiashowPause", settings.pauseMs, false),
      m_fadeTimer(m_loop, "Timer_DiashowFade", kFadeStepMs, false), m_decodeAhead(m_loop),
      m_fadeMs(std::min(kLongestFadeMs, settings.pauseMs / 2)) {
    m_window.moveTo(0, 0);
    m_loop.setEventHandler([this](const platform::Event& event) { handleEvent(event); });
    m_loop.setPaintHandler([this](bool, std::uint32_t) { paint(); });
    m_pauseTimer.setHandler([this] { nextByTimer(); });
    m_fadeTimer.setHandler([this] { fadeStep(); });
}

SlideShow::~SlideShow() {
    // The workers post to the loop, which goes before the member that owns them would.
    m_decodeAhead.stop();
}

bool SlideShow::start(std::string& message) {
    if (!platform::directoryExists(m_settings.folder)) {
        message = "The folder " + m_settings.folder + " does not exist.";
        m_loop.quit();
        return false;
    }
    m_photos = SlideShowPhotos(m_settings.folder);
    if (m_photos.empty()) {
        message = "The folder " + m_settings.folder + " holds no photos.";
        m_loop.quit();
        return false;
    }
    showPhoto(0);
    return true;
}

void SlideShow::run() {
    m_loop.run();
}

void SlideShow::handleEvent(const platform::Event& event) {
    using Type = platform::Event::Type;
    switch (event.type) {
    case Type::Quit:
    case Type::MouseButtonDown:
        m_loop.quit();
        break;
    case Type::KeyDown:
        if (event.key == vk::Escape || event.key == 'Q') {
            m_loop.quit();
        } else if (event.key == vk::Left) {
            step(-1);
        } else if (event.key == vk::Right) {
            step(+1);
        } else if (event.key == vk::Space) {
            m_paused = !m_paused;
            // Going on gives the photo on screen a whole pause again.
            m_pauseTimer.setEnabled(!m_paused);
        }
        break;
    case Type::Exposed:
        m_loop.requestRepaint();
        break;
    default:
        break;
    }
}

void SlideShow::step(int delta) {
    const int count = static_cast<int>(m_photos.size());
    showPhoto(((m_index + delta) % count + count) % count);
}

void SlideShow::nextByTimer() {
    step(+1);
}

platform::Picture SlideShow::composeFrame(int index, const std::string& title) {
    const int width = m_settings.width, height = m_settings.height;
    platform::Canvas frame(width, height);
    frame.fillRect({0, 0, width, height}, kBlack);
    const std::string path = m_settings.folder + m_photos[static_cast<std::size_t>(index)];
    platform::JpegOptions options;
    options.fitWidth = width;
    options.fitHeight = height;
    std::optional<platform::Picture> picture = m_decodeAhead.take(path, options);
    if (!picture)
        picture = platform::loadJpegFile(path, options); // an empty picture leaves black
    if (!picture->empty()) {
        const platform::Rect fitted = FitRect(width, height, picture->width(), picture->height());
        frame.stretchDraw(CenterRect(fitted, {0, 0, width, height}), *picture);
    }
    if (!title.empty()) {
        frame.setTextBackground(true);
        frame.setFont(
            platform::FontSpec{"Arial", std::max(8, height / 30), true, false, kTitleShadow});
        const int x = (width - frame.textWidth(title)) / 2;
        const int y = height - frame.textHeight(title) - height / 20;
        frame.textOut(x + 2, y + 2, title);
        frame.setFont(
            platform::FontSpec{"Arial", std::max(8, height / 30), true, false, kTitleColor});
        frame.textOut(x, y, title);
    }
    return frame.snapshot();
}

void SlideShow::showPhoto(int index) {
    m_index = index;
    const std::string& name = m_photos[static_cast<std::size_t>(index)];
    const std::string title = ReadDiashowTitle(m_settings.folder, withoutExtension(name));
    m_shown.push_back({index, name, title, m_clock.nowMs()});

    m_previousFrame = std::move(m_currentFrame);
    m_currentFrame = composeFrame(index, title);
    m_fadeStart = m_clock.nowMs();
    m_fadeTimer.setEnabled(!m_previousFrame.empty() && m_fadeMs > 0);
    if (!m_paused)
        m_pauseTimer.restart();
    m_loop.requestRepaint();

    // The next photo is decoded while this one is on screen.
    const int next = (index + 1) % static_cast<int>(m_photos.size());
    platform::JpegOptions options;
    options.fitWidth = m_settings.width;
    options.fitHeight = m_settings.height;
    m_decodeAhead.request(m_settings.folder + m_photos[static_cast<std::size_t>(next)], options);
}

void SlideShow::fadeStep() {
    if (m_clock.nowMs() - m_fadeStart >= m_fadeMs)
        m_fadeTimer.setEnabled(false);
    m_loop.requestRepaint();
}

void SlideShow::paint() {
    platform::Canvas& canvas = m_window.canvas();
    const std::int64_t elapsed = m_clock.nowMs() - m_fadeStart;
    if (m_fadeTimer.enabled() && elapsed < m_fadeMs) {
        canvas.draw(0, 0, m_previousFrame);
        canvas.drawBlended(0, 0, m_currentFrame,
                           static_cast<int>(elapsed * 255 / std::max(1, m_fadeMs)));
    } else {
        canvas.draw(0, 0, m_currentFrame);
    }
    m_window.present();
}

int RunDiashow(const std::vector<std::string>& args, platform::Clock& clock, std::string& message) {
    std::string error;
    const std::optional<SlideShowSettings> settings = ParseSlideShowArguments(args, error);
    if (!settings) {
        message = "Diashow.exe: " + error + "; " + kSlideShowUsage;
        return 2;
    }
    SlideShow show(*settings, clock);
    if (!show.start(message))
        return 1;
    show.run();
    return 0;
}
