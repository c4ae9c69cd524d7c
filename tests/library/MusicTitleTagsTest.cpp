// Titles of today's libraries: MP3 files with ID3v2 tags, FLAC, Ogg Vorbis, Opus and AAC, made
// by ffmpeg once for the whole suite.

#include "ListingTestSupport.h"
#include "library/FolderListing.h"
#include "library/LibraryScan.h"
#include "library/Mp3Element.h"
#include "platform/AudioTags.h"
#include "playback/Jukebox.h"
#include "support/GeneratedMedia.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using testsupport::Mp3Tags;

constexpr const char* kLongTitle = "A title that is longer than thirty characters";

// Overwrites a text field of the ID3v1 block at the end of the file (zero-padded).
void patchId3v1Field(const std::string& path, std::size_t offset, std::size_t length,
                     const std::string& text) {
    std::string bytes = testsupport::readFile(path);
    const std::size_t at = bytes.size() - 128 + offset;
    ASSERT_EQ(bytes.compare(bytes.size() - 128, 3, "TAG"), 0) << path;
    bytes.replace(at, length, std::string(length, '\0'));
    bytes.replace(at, std::min(length, text.size()), text.substr(0, length));
    testsupport::writeFile(path, bytes);
}

class MusicTitleTagsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!testsupport::ffmpegAvailable())
            return;
        s_media = std::make_unique<testsupport::TempDir>();
        const Mp3Tags tags{
            .artist = "Band", .title = "Song", .album = "Album", .track = 3, .year = "2001"};
        bool made = true;
        for (const char* name : {"tone.flac", "tone.ogg", "tone.opus", "tone.m4a", "tone.aac"})
            made = made && testsupport::makeToneTitle(media(name), 2.2, tags);
        made = made && testsupport::makeToneTitle(media("v2only.mp3"), 2.2, tags);
        Mp3Tags longTitle = tags;
        longTitle.title = kLongTitle;
        made = made && testsupport::makeToneTitle(media("both.mp3"), 2.2, longTitle, true);
        made = made && testsupport::makeToneMp3(media("v1only.mp3"), 2.2,
                                                Mp3Tags{.artist = "Old", .title = "Plain"});
        // FLAC in an Ogg container behind an ".oga" name.
        made = made && testsupport::runFfmpeg("-f lavfi -i sine=duration=2.2 -c:a flac -f ogg "
                                              "-metadata artist=Band -metadata title=Song " +
                                              testsupport::shellQuoted(media("flac.oga")));
        s_made = made;
        if (!made)
            return;
        // Both tags, the ID3v1 one with an artist of its own and no year.
        patchId3v1Field(media("both.mp3"), 33, 30, "Old Band");
        patchId3v1Field(media("both.mp3"), 93, 4, "");
        // A title cut at 30 characters that the ID3v2 title does not continue stays as it is.
        std::filesystem::copy_file(media("both.mp3"), media("other-cut.mp3"));
        patchId3v1Field(media("other-cut.mp3"), 3, 30, "Something else entirely, 30 ch");
        // Damaged files: noise under a FLAC name; an ID3v2 tag whose frames are noise; a FLAC
        // whose comment block is noise.
        testsupport::writeFile(media("noise.flac"), std::string(5000, '\x5a'));
        std::string mp3 = testsupport::readFile(media("v2only.mp3"));
        for (std::size_t i = 10; i < 60; ++i)
            mp3[i] = static_cast<char>(0xFF - i);
        testsupport::writeFile(media("broken-tag.mp3"), mp3);
        // An ID3v2 tag far longer than the search for the first frame reaches, as embedded
        // pictures make it.
        mp3 = testsupport::readFile(media("v2only.mp3"));
        std::size_t size = 0;
        for (std::size_t i = 6; i < 10; ++i)
            size = size << 7 | static_cast<unsigned char>(mp3[i]);
        mp3.insert(10 + size, 30000, '\0');
        size += 30000;
        for (std::size_t i = 9; i >= 6; --i, size >>= 7)
            mp3[i] = static_cast<char>(size & 0x7F);
        testsupport::writeFile(media("padded.mp3"), mp3);
        std::string flac = testsupport::readFile(media("tone.flac"));
        const std::size_t vendor = flac.find("Lavf");
        if (vendor != std::string::npos)
            for (std::size_t i = vendor - 4; i < vendor + 60 && i < flac.size(); ++i)
                flac[i] = '\xEE';
        testsupport::writeFile(media("broken-tag.flac"), flac);
    }
    static void TearDownTestSuite() { s_media.reset(); }

    void SetUp() override {
        if (!s_media)
            GTEST_SKIP() << "ffmpeg is not installed";
        ASSERT_TRUE(s_made) << "ffmpeg could not make the test titles";
    }

    static std::string media(const std::string& name) { return s_media->path() + "/" + name; }

    static inline std::unique_ptr<testsupport::TempDir> s_media;
    static inline bool s_made = false;
};

TEST_F(MusicTitleTagsTest, TagReaderReadsEachFormatAndNeverFailsOnDamagedFiles) {
    struct Row {
        const char* file;
        bool valid;
        const char* title;
        const char* artist;
        int track;
        int year;
        // -1: none expected.
        int lengthMs;
    };
    const std::vector<Row> rows = {
        {"tone.flac", true, "Song", "Band", 3, 2001, 2200},
        {"tone.ogg", true, "Song", "Band", 3, 2001, 2200},
        {"tone.opus", true, "Song", "Band", 3, 2001, 2200},
        {"tone.m4a", true, "Song", "Band", 3, 2001, 2200},
        // ffmpeg leaves the sample count of FLAC in Ogg open: no length.
        {"flac.oga", true, "Song", "Band", 0, 0, -1},
        // Of an MP3 only the ID3v2 tag; the frames are the program's own business.
        {"v2only.mp3", true, "Song", "Band", 3, 2001, -1},
        {"both.mp3", true, kLongTitle, "Band", 3, 2001, -1},
        {"v1only.mp3", true, "", "", 0, 0, -1},
        {"broken-tag.mp3", true, "", "", 0, 0, -1},
        {"noise.flac", false, "", "", 0, 0, -1},
        {"missing.ogg", false, "", "", 0, 0, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        const platform::AudioTags tags = platform::readAudioTags(media(row.file));
        EXPECT_EQ(tags.valid, row.valid);
        EXPECT_EQ(tags.title, row.title);
        EXPECT_EQ(tags.artist, row.artist);
        EXPECT_EQ(tags.track, row.track);
        EXPECT_EQ(tags.year, row.year);
        if (row.lengthMs < 0)
            EXPECT_EQ(tags.lengthMs, -1);
        else
            EXPECT_NEAR(static_cast<double>(tags.lengthMs), row.lengthMs, 150);
    }
}

TEST_F(MusicTitleTagsTest, TitleInformationTakesId3v1FirstThenId3v2ThenTheFormatsOwnTag) {
    struct Row {
        const char* file;
        const char* title;
        const char* artist;
        const char* year;
        int trackNo;
        const char* length;
    };
    const std::vector<Row> rows = {
        {"v2only.mp3", "Song", "Band", "2001", 3, "0:02"},
        // The ID3v1 artist wins; its missing year and its cut title come from ID3v2.
        {"both.mp3", kLongTitle, "Old Band", "2001", 3, "0:02"},
        {"other-cut.mp3", "Something else entirely, 30 ch", "Old Band", "2001", 3, "0:02"},
        {"v1only.mp3", "Plain", "Old", "", 0, "0:02"},
        {"broken-tag.mp3", "", "", "", 0, "0:02"},
        {"padded.mp3", "Song", "Band", "2001", 3, "0:02"},
        {"tone.flac", "Song", "Band", "2001", 3, "0:02"},
        {"tone.ogg", "Song", "Band", "2001", 3, "0:02"},
        {"tone.opus", "Song", "Band", "2001", 3, "0:02"},
        {"tone.m4a", "Song", "Band", "2001", 3, "0:02"},
        // TagLib does not read ADTS streams: the title lists by its name, length unknown.
        {"tone.aac", "", "", "", 0, "???"},
        {"noise.flac", "", "", "", 0, "???"},
        {"broken-tag.flac", "", "", "", 0, "0:02"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        const Mp3ElementInfo info = ReadMp3ElementInfo(media(row.file));
        EXPECT_TRUE(info.readable);
        EXPECT_EQ(info.title, row.title);
        EXPECT_EQ(info.artist, row.artist);
        EXPECT_EQ(info.year, row.year);
        EXPECT_EQ(info.trackNo, row.trackNo);
        EXPECT_EQ(info.length, row.length);
    }
    // The info text shows the same merged fields; only MP3 files know their bit rate.
    EXPECT_EQ(ReadMp3ElementInfo(media("both.mp3")).infoText,
              "Datei: " + media("both.mp3") +
                  "  -  Bitrate: 64 kb/s  -  Interpret: Old Band  -  Titel: " + kLongTitle +
                  "  -  Album: Album  -  Jahr: 2001");
    EXPECT_EQ(ReadMp3ElementInfo(media("tone.ogg")).infoText,
              "Datei: " + media("tone.ogg") +
                  "  -  Interpret: Band  -  Titel: Song  -  Album: Album  -  Jahr: 2001");
    EXPECT_FALSE(ReadMp3ElementInfo(media("missing.ogg")).readable);
}

TEST_F(MusicTitleTagsTest, EveryFormatListsScansAndQueuesInNameOrderAndDamagedFilesByName) {
    ListingFixture fx;
    const std::vector<std::pair<std::string, std::string>> files = {
        {"01 Eins.mp3", "v2only.mp3"},    {"02 Zwei.FLAC", "tone.flac"},
        {"03 Kaputt.flac", "noise.flac"}, {"04 Drei.ogg", "tone.ogg"},
        {"05 Vier.opus", "tone.opus"},    {"06 Fuenf.m4a", "tone.m4a"},
        {"07 Sechs.aac", "tone.aac"},     {"08 Sieben.oga", "flac.oga"},
        {"09 Acht.mp3", "broken-tag.mp3"}};
    fx.makeFolder("Album/");
    for (const auto& [name, source] : files)
        std::filesystem::copy_file(media(source), fx.path("Album/" + name));
    fx.writeFile("Album/cover.txt");
    fx.writeFile("Album/song.wav");

    ListMusicFolder(fx.path("Album/"));
    std::vector<std::string> expectedNames = {".."};
    for (const auto& file : files)
        expectedNames.push_back(file.first);
    EXPECT_EQ(fileNamesOf(*gListElements), expectedNames);
    // All tags carry track 3; the order by track numbers is another matter.
    gIniSortTitlesByMP3InfoTrackNo = false;
    fx.finishFolderInfo();
    struct Shown {
        const char* name;
        const char* title;
        const char* length;
    };
    const std::vector<Shown> shown = {
        {"01 Eins", "Song", "0:02"}, {"02 Zwei", "Song", "0:02"},  {"03 Kaputt", "", "???"},
        {"04 Drei", "Song", "0:02"}, {"05 Vier", "Song", "0:02"},  {"06 Fuenf", "Song", "0:02"},
        {"07 Sechs", "", "???"},     {"08 Sieben", "Song", "???"}, {"09 Acht", "", "0:02"}};
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const ListElementPtr element = gListElements->element(static_cast<int>(i) + 1);
        ASSERT_TRUE(element);
        SCOPED_TRACE(element->FileName());
        EXPECT_EQ(element->ElementType(), ListElementType::MP3);
        EXPECT_EQ(element->Name(), shown[i].name);
        EXPECT_EQ(element->Title(), shown[i].title);
        EXPECT_EQ(element->Length(), shown[i].length);
    }

    // The scan, its log line and the jukebox collection count every format alike.
    const LibraryScanResult found = ScanLibrary(fx.root);
    EXPECT_EQ(found.MP3Titles.size(), files.size());
    EXPECT_TRUE(IsMP3TitleName("x.Opus.part"));
    EXPECT_FALSE(IsMP3TitleName("x.wav"));
    CollectMP3Files(fx.path("Album"));
    EXPECT_EQ(fileNamesOf(gActualTitleList).size(), files.size());
}

} // namespace
