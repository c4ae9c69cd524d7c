#include "library/Mp3Element.h"

#include "library/ListElement.h"
#include "library/Mp3TestData.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

using mp3test::Bytes;

void writeBytes(const std::string& path, const Bytes& bytes) {
    testsupport::writeFile(path, std::string(bytes.begin(), bytes.end()));
}

TListElement titleIn(const testsupport::TempDir& dir, const std::string& fileName) {
    return TListElement(ListElementType::MP3, dir.path() + "/", fileName, 0.0, 1);
}

TEST(FillMP3ElementTest, FillsLengthTagsAndInfoText) {
    testsupport::TempDir dir;
    writeBytes(dir.file("Musik/a.mp3"),
               mp3test::cbrFile(185 * 16000, mp3test::tagBlock({.title = "Y",
                                                                .artist = "X",
                                                                .year = "1999",
                                                                .comment = "Notiz",
                                                                .trackMarker = 0,
                                                                .trackNo = 4})));
    TListElement element(ListElementType::MP3, dir.path() + "/Musik/", "a.mp3", 0.0, 1);
    FillMP3Element(element);
    EXPECT_EQ(element.Length(), "3:05");
    EXPECT_EQ(element.LengthSeconds(), 185);
    EXPECT_EQ(element.Artist(), "X");
    EXPECT_EQ(element.Title(), "Y");
    EXPECT_EQ(element.TrackNo(), 4);
    EXPECT_EQ(element.InfoText(), "Datei: " + dir.path() +
                                      "/Musik/a.mp3  -  Bitrate: 128 kb/s  -  Interpret: X  -  "
                                      "Titel: Y  -  Jahr: 1999");

    const auto info = ReadMp3ElementInfo(element.FullPath());
    EXPECT_TRUE(info.readable);
    EXPECT_EQ(info.comment, "Notiz");
    EXPECT_EQ(info.year, "1999");
}

TEST(FillMP3ElementTest, InfoTextListsOnlyTheTagFieldsThatAreSet) {
    struct Row {
        Bytes bytes;
        const char* length;
        const char* infoTail;
    };
    const Row rows[] = {
        {mp3test::cbrFile(16000, mp3test::tagBlock({.album = "Platte"})), "0:01",
         "  -  Bitrate: 128 kb/s  -  Album: Platte"},
        {mp3test::cbrFile(16000 * 61), "1:01", "  -  Bitrate: 128 kb/s"},
        {Bytes(1000, 0xFF), "???", "  -  Bitrate: -1 kb/s"}, // no frame: a reserved bit rate
    };
    testsupport::TempDir dir;
    for (const auto& row : rows) {
        writeBytes(dir.file("t.mp3"), row.bytes);
        TListElement element = titleIn(dir, "t.mp3");
        FillMP3Element(element);
        EXPECT_EQ(element.Length(), row.length);
        EXPECT_EQ(element.InfoText(), "Datei: " + element.FullPath() + row.infoTail);
        EXPECT_EQ(element.Title(), "");
        EXPECT_EQ(element.TrackNo(), 0);
    }
    EXPECT_EQ(ReadMp3ElementInfo(dir.file("t.mp3")).lengthSeconds, -8);
}

TEST(FillMP3ElementTest, FormatLength) {
    struct Row {
        std::int64_t durationMs;
        const char* text;
    };
    const Row rows[] = {
        {0, "0:00"},        {9999, "0:09"}, {10000, "0:10"}, {185000, "3:05"},
        {3600000, "60:00"}, {-1, "???"},    {-8000, "???"},  {112195064000, "1869917:44"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FormatLength(row.durationMs), row.text) << row.durationMs;
}

TEST(FillMP3ElementTest, AnUnreadableFileLeavesTheElementEmpty) {
    testsupport::TempDir dir;
    writeBytes(dir.file("da.mp3"), mp3test::cbrFile(16000 * 2, mp3test::tagBlock({.title = "T"})));
    TListElement element = titleIn(dir, "fehlt.mp3");
    element.SetLength("1:00");
    element.SetLengthSeconds(60);
    element.SetTitle("alt");
    element.SetArtist("alt");
    element.SetTrackNo(3);
    element.SetInfoText("alt");
    FillMP3Element(element);
    EXPECT_EQ(element.Length(), "");
    EXPECT_EQ(element.LengthSeconds(), 0);
    EXPECT_EQ(element.Title(), "");
    EXPECT_EQ(element.Artist(), "");
    EXPECT_EQ(element.TrackNo(), 0);
    EXPECT_EQ(element.InfoText(), "");
    EXPECT_FALSE(ReadMp3ElementInfo(element.FullPath()).readable);
    EXPECT_FALSE(ReadMp3ElementInfo("   ").readable);

    // The lock is free again and the next title reads normally.
    ASSERT_TRUE(gAudioInfoMutex.try_lock());
    gAudioInfoMutex.unlock();
    TListElement next = titleIn(dir, "da.mp3");
    FillMP3Element(next);
    EXPECT_EQ(next.Length(), "0:02");
    EXPECT_EQ(next.Title(), "T");
}

TEST(FillMP3ElementTest, ReadsFromSeveralThreadsAtOnce) {
    testsupport::TempDir dir;
    constexpr int kThreads = 4;
    constexpr int kRounds = 10;
    for (int t = 0; t < kThreads; ++t)
        writeBytes(dir.file("t" + std::to_string(t) + ".mp3"),
                   mp3test::cbrFile(16000 * (t + 1),
                                    mp3test::tagBlock({.title = "Titel " + std::to_string(t),
                                                       .trackMarker = 0,
                                                       .trackNo = t + 1})));

    std::vector<TListElement> elements;
    for (int t = 0; t < kThreads; ++t)
        elements.push_back(titleIn(dir, "t" + std::to_string(t) + ".mp3"));
    std::vector<Mp3ElementInfo> lastRead(kThreads);
    {
        std::vector<std::jthread> threads;
        for (int t = 0; t < kThreads; ++t)
            threads.emplace_back([&, t] {
                for (int round = 0; round < kRounds; ++round) {
                    FillMP3Element(elements[static_cast<std::size_t>(t)]);
                    lastRead[static_cast<std::size_t>(t)] =
                        ReadMp3ElementInfo(elements[static_cast<std::size_t>(t)].FullPath());
                }
            });
    }
    for (int t = 0; t < kThreads; ++t) {
        const auto& element = elements[static_cast<std::size_t>(t)];
        EXPECT_EQ(element.LengthSeconds(), t + 1);
        EXPECT_EQ(element.Title(), "Titel " + std::to_string(t));
        EXPECT_EQ(element.TrackNo(), t + 1);
        EXPECT_EQ(lastRead[static_cast<std::size_t>(t)].title, element.Title());
        EXPECT_EQ(lastRead[static_cast<std::size_t>(t)].length, element.Length());
    }
}

} // namespace
