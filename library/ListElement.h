#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The kind of a list row. The numeric values are fixed: they index icons and debug names.
enum class ListElementType : std::uint8_t {
    Back = 0,         // the ".." row at the head of a folder list
    MP3Dir = 1,       // music folder; also the main-menu entry "Musik"
    PhotoDir = 2,     // photo folder; also the main-menu entry "Fotos"
    PlaylistDir = 3,  // the main-menu entries "Musik-Playlists" and "Musik-Jukebox"
    MP3 = 4,          // one MP3 title
    Photo = 5,        // one JPEG photo
    Playlist = 6,     // one M3U playlist file
    Option = 7,       // one row of the options screen
    OptionGroup = 8,  // group heading of the options screen
    ProgramDir = 9,   // program-link folder; also the main-menu entry "Programme/Spiele"
    ProgramLink = 10, // one program link
    VideoDir = 11,    // video folder; also the main-menu entry "Videos"
    Video = 12,       // one video file
};

// Option kinds of an options-screen row.
constexpr std::uint8_t kOptionKindNone = 0;
constexpr std::uint8_t kOptionKindChoice = 2;
constexpr std::uint8_t kOptionKindYesNo = 3;
// Choices of the fixed option rows; only the skin row may offer more (one per installed skin).
constexpr int kOptionChoiceSlots = 8;

// 1-based byte position of the last occurrence of ch in text, -1 when it does not occur.
// Callers look for ASCII separators ("/", "."), so cutting the UTF-8 text there never splits
// a character.
int LastCharPos(std::string_view text, char ch);

// One row of any list: main-menu entry, folder, title, photo, video, playlist, program link,
// the ".." row or an options-screen row. Shared between lists through std::shared_ptr; an
// element lives as long as any list refers to it.
//
// Threads: main thread only. Workers never touch an element: they are handed the file paths
// as copies and post what they read; the main thread writes it into the elements.
class TListElement {
public:
    // fileDate: days since 30 December 1899, the fraction being the time of day; 0 for none.
    TListElement(ListElementType type, std::string dir, std::string fileName, double fileDate,
                 int index);

    const std::string& FileName() const { return m_fileName; }
    const std::string& Name() const { return m_name; }
    // Empty, or a folder path ending in "/".
    const std::string& Dir() const { return m_dir; }
    int Index() const { return m_index; }
    ListElementType ElementType() const { return m_type; }
    double FileDate() const { return m_fileDate; }
    std::string FullPath() const { return m_dir + m_fileName; }
    // Folder rows open a new list when played and are drawn bold italic.
    bool IsFolder() const;

    const std::string& Length() const { return m_length; }
    // A text beginning with "-" (a negative time from a broken header) is stored as "???".
    void SetLength(const std::string& length);
    // A negative stored value reads as 0.
    int LengthSeconds() const { return m_lengthSeconds < 0 ? 0 : m_lengthSeconds; }
    void SetLengthSeconds(int seconds) { m_lengthSeconds = seconds; }

    bool ShufflePicked() const { return m_shufflePicked; }
    void SetShufflePicked(bool picked) { m_shufflePicked = picked; }
    bool IsNew() const { return m_isNew; }
    void SetIsNew(bool isNew) { m_isNew = isNew; }
    const std::string& InfoText() const { return m_infoText; }
    void SetInfoText(const std::string& text) { m_infoText = text; }
    const std::string& Title() const { return m_title; }
    void SetTitle(const std::string& title) { m_title = title; }
    const std::string& Artist() const { return m_artist; }
    void SetArtist(const std::string& artist) { m_artist = artist; }
    int TrackNo() const { return m_trackNo; }
    void SetTrackNo(int trackNo) { m_trackNo = trackNo; }
    // The comment is kept from the tag but nothing shows it.
    void SetComment(const std::string& comment) { m_comment = comment; }
    const std::string& FolderYear() const { return m_folderYear; }
    void SetFolderYear(const std::string& year) { m_folderYear = year; }

    // One line for the debug log: type name, index, file name, folder and length.
    std::string Describe() const;

    // Options-screen rows. A yes/no row reads OptionValue -1 until the screen sets it; a
    // choice row starts on choice 1, and its count is limited to the choices given.
    void SetYesNoOption(std::uint8_t group, const std::string& key, const std::string& caption,
                        const std::string& description);
    void SetChoiceOption(std::uint8_t group, const std::string& key,
                         std::vector<std::string> choices, int choiceCount,
                         const std::string& description, const std::string& caption);
    const std::string& OptionKey() const { return m_optionKey; }
    const std::string& OptionCaption() const { return m_optionCaption; }
    const std::string& OptionDescription() const { return m_optionDescription; }
    std::uint8_t OptionKind() const { return m_optionKind; }
    std::uint8_t OptionGroupNo() const { return m_optionGroupNo; }
    int OptionChoiceCount() const { return m_optionChoiceCount; }
    int OptionValue() const { return m_optionValue; }
    void SetOptionValue(int value) { m_optionValue = value; }
    // Text of choice i (1..the number of choices given); empty for any other number.
    const std::string& choice(int i) const;

private:
    ListElementType m_type;
    std::string m_dir;
    std::string m_fileName;
    std::string m_name;
    double m_fileDate;
    int m_index;

    std::string m_infoText;
    bool m_isNew = false;
    std::string m_length;
    int m_lengthSeconds = 0;
    bool m_shufflePicked = false;
    std::string m_title;
    std::string m_artist;
    int m_trackNo = 0;
    std::string m_comment;
    std::string m_folderYear;

    std::string m_optionKey;
    std::string m_optionCaption;
    std::string m_optionDescription;
    std::uint8_t m_optionKind = kOptionKindNone;
    std::uint8_t m_optionGroupNo = 0;
    std::vector<std::string> m_optionChoices;
    int m_optionValue = 0;
    int m_optionChoiceCount = 0;
};

using ListElementPtr = std::shared_ptr<TListElement>;
