#include "library/ListElement.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

struct TypeTraits {
    const char* debugName; // empty for the options-screen and program-link types
    bool isFolder;
    bool stripsExtension; // Name is FileName without its last extension
};

// Indexed by the numeric value of ListElementType.
constexpr std::array<TypeTraits, 13> kTypeTraits = {{
    {"ListElementType: Back", false, false},
    {"ListElementType: MP3Dir", true, false},
    {"ListElementType: PhotoDir", true, false},
    {"ListElementType: PlaylistDir", true, false},
    {"ListElementType: MP3", false, true},
    {"ListElementType: Photo", false, true},
    {"ListElementType: Playlist", false, true},
    {"", false, false}, // Option
    {"", false, false}, // OptionGroup
    {"", true, false},  // ProgramDir
    {"", false, true},  // ProgramLink
    {"ListElementType: VideoDir", true, false},
    {"ListElementType: Video", false, false}, // a video keeps its extension in lists
}};

const TypeTraits& traitsOf(ListElementType type) {
    static constexpr TypeTraits unknown{"", false, false};
    const auto value = static_cast<std::size_t>(type);
    return value < kTypeTraits.size() ? kTypeTraits[value] : unknown;
}

const std::string kEmpty;

} // namespace

int LastCharPos(std::string_view text, char ch) {
    const auto pos = text.rfind(ch);
    return pos == std::string_view::npos ? -1 : static_cast<int>(pos) + 1;
}

TListElement::TListElement(ListElementType type, std::string dir, std::string fileName,
                           double fileDate, int index)
    : m_type(type), m_dir(std::move(dir)), m_fileName(std::move(fileName)), m_fileDate(fileDate),
      m_index(index) {
    if (!m_dir.empty() && m_dir.back() != '/')
        m_dir += '/';
    m_name = m_fileName;
    if (traitsOf(type).stripsExtension) {
        const int dot = LastCharPos(m_fileName, '.');
        if (dot > 0)
            m_name = m_fileName.substr(0, static_cast<std::size_t>(dot - 1));
    }
}

bool TListElement::IsFolder() const {
    return traitsOf(m_type).isFolder;
}

void TListElement::SetLength(const std::string& length) {
    if (!length.empty() && length.front() == '-')
        m_length = "???";
    else
        m_length = length;
}

std::string TListElement::Describe() const {
    return std::string(traitsOf(m_type).debugName) + " ; Index:" + std::to_string(m_index) +
           " ; FileName:" + m_fileName + " ; Dir:" + m_dir + " ; Length:" + m_length + " ; ";
}

void TListElement::SetYesNoOption(std::uint8_t group, const std::string& key,
                                  const std::string& caption, const std::string& description) {
    m_optionKind = kOptionKindYesNo;
    m_optionGroupNo = group;
    m_optionKey = key;
    m_optionCaption = caption;
    m_optionDescription = description;
    m_optionValue = -1;
}

void TListElement::SetChoiceOption(std::uint8_t group, const std::string& key,
                                   std::vector<std::string> choices, int choiceCount,
                                   const std::string& description, const std::string& caption) {
    m_optionKind = kOptionKindChoice;
    m_optionGroupNo = group;
    m_optionKey = key;
    m_optionCaption = caption;
    m_optionDescription = description;
    m_optionValue = 1;
    // A count beyond the texts would let the options screen step onto empty texts.
    m_optionChoiceCount = std::clamp(choiceCount, 0, static_cast<int>(choices.size()));
    m_optionChoices = std::move(choices);
}

const std::string& TListElement::choice(int i) const {
    if (i < 1 || i > static_cast<int>(m_optionChoices.size()))
        return kEmpty;
    return m_optionChoices[static_cast<std::size_t>(i - 1)];
}
