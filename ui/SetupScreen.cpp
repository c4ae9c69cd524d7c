#include "ui/SetupScreen.h"

#include "app/Log.h"
#include "app/Program.h"
#include "config/Config.h"
#include "config/Skin.h"
#include "platform/Encoding.h"
#include "platform/FileSystem.h"
#include "platform/JpegDecoder.h"
#include "platform/KeyMap.h"
#include "platform/MessageBox.h"
#include "platform/Process.h"
#include "platform/Profile.h"

#include <algorithm>

namespace {

namespace vk = platform::vk;
using platform::Canvas;
using platform::FontSpec;
using platform::Rect;

constexpr SetupText kRowCaptions[kSetupRowCount] = {
    SetupText::Music,    SetupText::Pictures,   SetupText::Videos, SetupText::Links,
    SetupText::Language, SetupText::Resolution, SetupText::Save,
};

bool isChoiceRow(int row) {
    return row == static_cast<int>(SetupRow::Language) ||
           row == static_cast<int>(SetupRow::Resolution);
}

FontSpec font(int pointSize, platform::Color color, bool bold = false) {
    return FontSpec{gFontName, pointSize, bold, false, color};
}

} // namespace

SetupScreen::SetupScreen(FirstRunSetup& setup, platform::Clock& clock)
    : m_setup(setup), m_loop(clock),
      m_window("Zuvenmedia config", setup.screenWidth(), setup.screenHeight()) {
    m_window.moveTo(0, 0);
    // The skin's font sizes are scaled for the window they are drawn in.
    gIniSkinName = "Default";
    gIniScreenWidth = setup.screenWidth();
    gIniScreenHeight = setup.screenHeight();
    ReadSkinDefinition();
    platform::JpegOptions fit;
    fit.fitWidth = setup.screenWidth();
    fit.fitHeight = setup.screenHeight();
    std::string reason;
    m_background = platform::loadJpegFile(SkinDirectory() + "/Background.jpg", fit, &reason);
    if (m_background.empty())
        LogError("Set-up background not loaded: " + reason);
    m_loop.setEventHandler([this](const platform::Event& event) { handleEvent(event); });
    m_loop.setPaintHandler([this](bool, std::uint32_t) { paint(); });
    m_loop.requestRepaint();
}

void SetupScreen::run() {
    m_loop.run();
}

void SetupScreen::handleEvent(const platform::Event& event) {
    using Type = platform::Event::Type;
    switch (event.type) {
    case Type::Quit:
        m_loop.quit();
        break;
    case Type::KeyDown:
        handleKey(event.key);
        break;
    case Type::MouseButtonDown:
        if (event.button == 1)
            handleClick(event.x, event.y);
        break;
    case Type::MouseWheel:
        if (m_setup.browsing())
            m_setup.browserMove(-event.wheelSteps);
        else
            m_setup.moveHighlight(-event.wheelSteps);
        break;
    default:
        break;
    }
    if (m_setup.saved())
        m_loop.quit();
    keepHighlightVisible();
    m_loop.requestRepaint();
}

void SetupScreen::handleKey(int key) {
    const int page = kVisibleLines - 1;
    if (m_setup.browsing()) {
        switch (key) {
        case vk::Up:
        case vk::Down:
            m_setup.browserMove(key == vk::Up ? -1 : 1);
            break;
        case vk::PageUp:
        case vk::PageDown:
            m_setup.browserMove(key == vk::PageUp ? -page : page);
            break;
        case vk::Home:
        case vk::End:
            m_setup.browserHighlight(
                key == vk::Home ? 0 : static_cast<int>(m_setup.browserEntries().size()));
            break;
        case vk::Return:
            m_setup.browserActivate();
            break;
        case vk::Right:
            m_setup.browserEnter();
            break;
        case vk::Left:
        case vk::Back:
            m_setup.browserUp();
            break;
        case vk::Escape:
        case vk::Digit0:
            m_setup.browserCancel();
            break;
        default:
            break;
        }
        return;
    }
    switch (key) {
    case vk::Up:
    case vk::Down:
        m_setup.moveHighlight(key == vk::Up ? -1 : 1);
        break;
    case vk::PageUp:
    case vk::Home:
        m_setup.highlight(0);
        break;
    case vk::PageDown:
    case vk::End:
        m_setup.highlight(kSetupRowCount - 1);
        break;
    case vk::Left:
    case vk::Right:
        m_setup.changeValue(key == vk::Left ? -1 : 1);
        break;
    case vk::Return:
        m_setup.activate();
        break;
    case vk::Escape:
    case vk::Digit0:
        m_loop.quit();
        break;
    default:
        // A digit highlights the row of that number.
        if (key > vk::Digit0 && key <= vk::Digit0 + kSetupRowCount)
            m_setup.highlight(key - vk::Digit1);
        break;
    }
}

void SetupScreen::handleClick(int x, int y) {
    for (int line = 0; line < kVisibleLines; ++line) {
        if (!lineRect(line).contains(x, y))
            continue;
        if (m_setup.browsing()) {
            const int index = m_browserOffset + line;
            if (index >= static_cast<int>(m_setup.browserEntries().size()))
                return;
            if (index == m_setup.browserIndex())
                m_setup.browserActivate();
            else
                m_setup.browserHighlight(index);
        } else if (line < kSetupRowCount) {
            if (line == m_setup.highlighted())
                m_setup.activate();
            else
                m_setup.highlight(line);
        }
        return;
    }
}

void SetupScreen::keepHighlightVisible() {
    if (!m_setup.browsing()) {
        m_browserOffset = 0;
        return;
    }
    const int index = m_setup.browserIndex();
    m_browserOffset = std::clamp(m_browserOffset, index - kVisibleLines + 1, index);
}

Rect SetupScreen::lineRect(int line) const {
    const int width = m_setup.screenWidth(), height = m_setup.screenHeight();
    const int margin = width / 16;
    const int top = height / 6;
    const int pitch = (height * 2 / 3) / kVisibleLines;
    return {margin, top + line * pitch, width - margin, top + (line + 1) * pitch - 3};
}

std::string SetupScreen::text(SetupText id) const {
    return SetupTextOf(id, m_setup.language());
}

void SetupScreen::paint() {
    Canvas& canvas = m_window.canvas();
    const int width = m_setup.screenWidth(), height = m_setup.screenHeight();
    if (m_background.empty())
        canvas.fillRect({0, 0, width, height}, 0);
    else
        canvas.stretchDraw({0, 0, width, height}, m_background);
    canvas.setTextBackground(true);
    const Rect first = lineRect(0);
    canvas.setFont(font(gFontSizeFolderName, gFontColorFolderName, true));
    const std::string title = m_setup.browsing() ? text(SetupText::BrowseTitle) +
                                                       platform::decodePath(m_setup.browserFolder())
                                                 : text(SetupText::Title);
    canvas.textRect({first.left, height / 20, first.right, first.top - 4}, first.left, height / 20,
                    title);

    if (m_setup.browsing())
        paintBrowser(canvas);
    else
        paintRows(canvas);

    // The message (why saving was refused) above the keys' hint.
    const Rect last = lineRect(kVisibleLines - 1);
    const int smallHeight = platform::fontPixelHeight(gFontSizeTitlebarSmall);
    const int messageY = last.bottom + smallHeight;
    canvas.setFont(font(gFontSizeTitlebarBig, gFontColorFolderName, true));
    canvas.textRect({last.left, messageY, last.right, height}, last.left, messageY,
                    m_setup.message());
    const int hintY = height - 2 * smallHeight;
    canvas.setFont(font(gFontSizeTitlebarSmall, gFontColorTitlebarSmall));
    canvas.textRect({last.left, hintY, last.right, height}, last.left, hintY,
                    text(m_setup.browsing() ? SetupText::BrowseHint : SetupText::Hint));
    m_window.present();
}

void SetupScreen::paintRows(Canvas& canvas) {
    const int bigHeight = platform::fontPixelHeight(gFontSizeTitlebarBig);
    const int smallHeight = platform::fontPixelHeight(gFontSizeTitlebarSmall);
    for (int row = 0; row < kSetupRowCount; ++row) {
        const Rect bar = lineRect(row);
        const int split = bar.left + bar.width() * 2 / 5;
        const bool highlighted = row == m_setup.highlighted();
        const platform::Color color = highlighted ? gColorTitlebarHighlight : gColorTitlebar;
        const int textY = bar.top + (bar.height() - bigHeight) / 2;
        const int textX = bar.left + bar.height();
        canvas.fillRect({bar.left, bar.top, split, bar.bottom}, color);
        canvas.fillRect({split + 4, bar.top, bar.right, bar.bottom}, color);

        canvas.setFont(font(gFontSizeTitlebarSmall, gFontColorTitlebarBig));
        canvas.textOut(bar.left + 6, bar.top + (bar.height() - smallHeight) / 2,
                       std::to_string(row + 1));
        canvas.setFont(font(gFontSizeTitlebarBig, gFontColorTitlebarBig,
                            row == static_cast<int>(SetupRow::Save)));
        canvas.textRect({textX, bar.top, split - 1, bar.bottom}, textX, textY,
                        text(kRowCaptions[row]));
        std::string value = m_setup.valueText(static_cast<SetupRow>(row));
        if (highlighted && isChoiceRow(row))
            value = "<  " + value + "  >";
        const int valueX = split + 4 + bar.height() / 3;
        canvas.textRect({valueX, bar.top, bar.right - 1, bar.bottom}, valueX, textY, value);
    }
}

void SetupScreen::paintBrowser(Canvas& canvas) {
    const int bigHeight = platform::fontPixelHeight(gFontSizeTitlebarBig);
    const auto& entries = m_setup.browserEntries();
    for (int line = 0; line < kVisibleLines; ++line) {
        const int index = m_browserOffset + line;
        if (index >= static_cast<int>(entries.size()))
            break;
        const Rect bar = lineRect(line);
        canvas.fillRect(bar,
                        index == m_setup.browserIndex() ? gColorTitlebarHighlight : gColorTitlebar);
        const FirstRunSetup::BrowserEntry& entry = entries[static_cast<std::size_t>(index)];
        const bool choose = entry.kind == FirstRunSetup::BrowserEntry::Kind::Choose;
        canvas.setFont(font(gFontSizeTitlebarBig, gFontColorTitlebarBig, choose));
        const int textX = bar.left + bar.height();
        const int textY = bar.top + (bar.height() - bigHeight) / 2;
        canvas.textRect({textX, bar.top, bar.right - 1, bar.bottom}, textX, textY,
                        choose ? text(SetupText::ChooseThisFolder)
                               : platform::decodeName(entry.name));
    }
}

bool StartMediaFrontEnd(const std::string& directory) {
    const std::string besideUs = platform::executableDirectory();
    for (const std::string& folder : {besideUs, directory}) {
        const std::string program = folder + "/zuvenmedia";
        if (!folder.empty() && platform::fileExists(program) &&
            platform::startDetached(program, {}, directory))
            return true;
    }
    return false;
}

int RunConfigProgram(const std::vector<std::string>& args, const std::string& directory,
                     platform::Clock& clock, std::string& out, std::string& err) {
    std::string error;
    const std::optional<ConfigOptions> options = ParseConfigOptions(args, error);
    if (!options) {
        err = "config.exe: " + error + "\n" + kConfigUsage + "\n";
        return 2;
    }
    if (options->help) {
        out = std::string(kConfigUsage) + "\n";
        return 0;
    }
    const std::string iniPath = directory + "/Config.ini";
    if (options->any()) {
        std::string message;
        if (WriteConfigOptions(*options, iniPath, message))
            return 0;
        err = "config.exe: " + message + "\n";
        return 1;
    }
    // Nobody may be at a terminal when the program starts us, so these failures show a box.
    if (const auto existing = platform::Profile::load(iniPath); existing.unreadable()) {
        platform::showMessageBox("config.exe", SetupTextOf(SetupText::Unreadable, 0) + iniPath +
                                                   " (" + existing.readError() + ")");
        return 1;
    }
    gProgramDirectory = directory;
    FirstRunSetup setup(iniPath);
    {
        SetupScreen screen(setup, clock);
        screen.run();
    }
    if (!setup.saved())
        return 0;
    if (!StartMediaFrontEnd(directory)) {
        platform::showMessageBox("config.exe", "Config.ini wurde geschrieben, aber das Programm "
                                               "zuvenmedia wurde nicht gefunden.");
        return 1;
    }
    return 0;
}
