#include "playback/Playlists.h"

#include "input/KeysTestFixture.h"
#include "platform/FileSystem.h"
#include "platform/TextFile.h"
#include "playback/StatusMessage.h"
#include "ui/EnterTextForm.h"

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace vk = platform::vk;
using testsupport::readFile;
using testsupport::writeFile;

class PlaylistsTest : public keystest::KeysTest {
protected:
    void SetUp() override {
        KeysTest::SetUp();
        // The scan must not add its findings after a test has set the playlists it wants.
        for (int i = 0; i < 500 && !gLibraryScanFinished; ++i) {
            form->loop().processPending();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ASSERT_TRUE(gLibraryScanFinished);
        gFoundPlaylists.clear();
        // Each showing of the dialog takes the next answer; none left cancels it.
        form->loop().setModalIdleHandler([this] {
            if (answers.empty())
                return false;
            const auto answer = std::move(answers.front());
            answers.pop_front();
            answer();
            return true;
        });
    }

    std::string music() const { return root("Musik"); }
    // A playlist file of the music root (or below it) as the playlists screen lists it.
    ListElementPtr playlistFile(const std::string& relative, const std::string& bytes) {
        writeFile(music() + relative, bytes);
        gFoundPlaylists.push_back(
            {platform::splitFolderAndName(relative).name, TMyString{music() + relative}});
        const auto parts = platform::splitFolderAndName(music() + relative);
        return std::make_shared<TListElement>(ListElementType::Playlist, parts.folder, parts.name,
                                              0.0, 1);
    }
    void open(const ListElementPtr& playlist) {
        SetMenuMode(mmPlaylist);
        ReadPlaylist(playlist);
        HightlightTitlebarIndex = 0;
    }
    ListElementPtr row(int index) const { return gListElements->element(index); }
    static std::vector<std::string> linesOf(const std::string& path) {
        return platform::splitLines(readFile(path));
    }
    // Answers the next showing of the dialog with `name` (OK), or cancels it when null.
    void answer(const char* name, std::vector<std::string>* shownWith = nullptr) {
        answers.push_back([name, shownWith] {
            if (shownWith)
                shownWith->push_back(EnterTextForm.Text());
            if (!name) {
                EnterTextForm.keyDown(vk::Escape);
                return;
            }
            EnterTextForm.Edit().setText(name);
            EnterTextForm.keyDown(vk::Return);
        });
    }

    std::deque<std::function<void()>> answers;
};

TEST_F(PlaylistsTest, LinesBecomeTitlesByTheReadingRules) {
    writeFile(music() + "Mädchen.mp3", "no media");
    const struct {
        const char* content;
        std::vector<std::vector<std::string>> rows; // full path below the root, Length, Title
    } cases[] = {
        // Without "#EXTM3U" and "#EXTINF:", every other line is a title; blanks are trimmed.
        {"a.mp3\r\n\r\n  Album01/01 Eins.mp3 \t\r\n#comment\r\n",
         {{"a.mp3", "", ""}, {"Album01/01 Eins.mp3", "", ""}}},
        // Commas after the first belong to the text; the line applies to the next title only.
        {"#EXTM3U\r\n#EXTINF:215,Artist - Song, live\r\nx.mp3\r\ny.mp3\r\n",
         {{"x.mp3", "3:35", "Artist - Song, live"}, {"y.mp3", "", ""}}},
        {"#EXTINF:0,Nur Text\r\nz.mp3\r\n", {{"z.mp3", "", "Nur Text"}}},
        // Other players: "\" separators, unknown (-1) and fractional times, LF line ends; a
        // time that is no number gives no length and the reading goes on.
        {"#extm3u\n#EXTINF:-1,Unbekannt\nAlbum01\\02 Zwei.mp3\n#EXTINF:61.9\nb.mp3\n"
         "#EXTINF:abc,Kaputt\nc.mp3\n",
         {{"Album01/02 Zwei.mp3", "", "Unbekannt"},
          {"b.mp3", "1:01", ""},
          {"c.mp3", "", "Kaputt"}}},
        // Windows-1252 text and names; the name on disk is UTF-8.
        {"#EXTINF:10,Gr\xFC\xDF"
         "e\r\nM\xE4"
         "dchen.mp3\r\n",
         {{"Mädchen.mp3", "0:10", "Grüße"}}},
    };
    for (const auto& c : cases) {
        open(playlistFile("Liste.m3u", c.content));
        ASSERT_EQ(gListElements->count(), static_cast<int>(c.rows.size()) + 1) << c.content;
        EXPECT_EQ(gOpenPlaylistCount, static_cast<int>(c.rows.size()));
        EXPECT_EQ(gOpenPlaylistName, "Liste");
        for (std::size_t i = 0; i < c.rows.size(); ++i) {
            const ListElementPtr title = row(static_cast<int>(i) + 1);
            EXPECT_EQ(title->ElementType(), ListElementType::MP3);
            EXPECT_EQ(title->FullPath(), music() + c.rows[i][0]) << c.content;
            EXPECT_EQ(title->Length(), c.rows[i][1]) << c.content;
            EXPECT_EQ(title->Title(), c.rows[i][2]) << c.content;
        }
    }
    EXPECT_TRUE(logged("valid m3u-file detected."));
    EXPECT_TRUE(logged("ERROR: ReadPlaylist(): no playing time in #EXTINF:abc,Kaputt"));
    // An absolute path is used as it stands.
    open(playlistFile("Abs.m3u", music() + "Album01/03 Drei.mp3\n"));
    EXPECT_EQ(row(1)->FullPath(), music() + "Album01/03 Drei.mp3");
}

TEST_F(PlaylistsTest, EditingRewritesTheFileKeepingWhatDidNotChange) {
    const ListElementPtr playlist =
        playlistFile("Party.m3u", "\xEF\xBB\xBF#EXTM3U\n#EXTINF:215,Artist - Song\na.mp3\n"
                                  "#EXTGRP:Party\nb.mp3\n#EXTINF:100,Gespielt\nc.mp3\n#Schluss\n");
    const std::string path = music() + "Party.m3u";
    open(playlist);
    HightlightTitlebarIndex = 2;
    DispatchCommand("DELETEFROMPLAYLIST");
    EXPECT_EQ(HightlightTitlebarIndex, 1);
    EXPECT_FALSE(gKeysLocked);
    const std::string bom = "\xEF\xBB\xBF";
    EXPECT_EQ(readFile(path), bom + "#EXTM3U\r\n#EXTINF:215,Artist - Song\r\na.mp3\r\n"
                                    "#EXTINF:100,Gespielt\r\nc.mp3\r\n#Schluss\r\n");

    // Playing a title reads its tag into its row; only that row's information line is new.
    row(2)->SetTitle("Neu");
    row(2)->SetLengthSeconds(99);
    HightlightTitlebarIndex = 2;
    DispatchCommand("PLAYLIST_UP");
    EXPECT_EQ(HightlightTitlebarIndex, 1);
    EXPECT_EQ(readFile(path), bom + "#EXTM3U\r\n#EXTINF:99,Neu\r\nc.mp3\r\n"
                                    "#EXTINF:215,Artist - Song\r\na.mp3\r\n#Schluss\r\n");

    // The first title up and the last one down write nothing.
    writeFile(path, "a.mp3\nb.mp3\na.mp3\n");
    open(playlist);
    for (const auto& [command, index] : {std::pair{"PLAYLIST_UP", 1}, {"PLAYLIST_DOWN", 3}}) {
        HightlightTitlebarIndex = index;
        DispatchCommand(command);
        EXPECT_EQ(HightlightTitlebarIndex, index) << command;
    }
    EXPECT_EQ(readFile(path), "a.mp3\nb.mp3\na.mp3\n");
    // A title listed twice: the row under the cursor moves, not the first of that name.
    HightlightTitlebarIndex = 3;
    DispatchCommand("PLAYLIST_UP");
    EXPECT_EQ(linesOf(path), (std::vector<std::string>{"#EXTM3U", "a.mp3", "a.mp3", "b.mp3"}));
}

TEST_F(PlaylistsTest, ANewPlaylistNeedsAFreeAndSafeName) {
    playlistFile("Party.m3u", "#EXTM3U\r\n");
    std::vector<std::string> shown;
    answer("Party");
    answer(nullptr, &shown);
    callFunction_PlaylistNew();
    EXPECT_EQ(gStatusMessage, "Datei \"Party.m3u\" existiert bereits in \"" + music() + "\".");
    EXPECT_EQ(shown, std::vector<std::string>{"Party"});
    EXPECT_EQ(gPressedKeyText, "Erstellung abgebrochen");
    EXPECT_FALSE(gPlaylistEditing);

    for (const char* name : {"", ".", "..", "a/b", "a\x01z"}) {
        shown.clear();
        answer(name);
        answers.push_back([&shown] {
            shown.push_back(EnterTextForm.Text() + "|" + gPressedKeyText);
            EnterTextForm.cancel();
        });
        callFunction_PlaylistNew();
        EXPECT_EQ(shown, std::vector<std::string>{std::string(name) + "|Fehler!"}) << name;
        EXPECT_FALSE(gPlaylistEditing) << name;
    }
    EXPECT_TRUE(logged("ERROR: Playlist name refused: \"a/b\""));
    EXPECT_FALSE(std::filesystem::exists(root("Musik/a")));
}

TEST_F(PlaylistsTest, ANewPlaylistIsHighlightedAndScrolledIntoViewAtTheSortedRowCount) {
    const int rows = VisibleRows();
    for (const int before : {rows - 2, rows - 1}) {
        gFoundPlaylists.clear();
        gPlaylistEditing = false;
        std::filesystem::remove_all(music() + "n");
        for (int i = 0; i < before; ++i)
            playlistFile("n/a" + std::to_string(10 + i) + ".m3u", "#EXTM3U\r\n");
        const std::string name = "b" + std::to_string(before);
        answer(name.c_str());
        callFunction_PlaylistNew();
        ASSERT_TRUE(gPlaylistEditing);
        EXPECT_EQ(gEditPlaylistFileName, name + ".m3u");
        EXPECT_EQ(gEditPlaylistDirectory, music());
        EXPECT_EQ(linesOf(music() + name + ".m3u"), std::vector<std::string>{"#EXTM3U"});
        EXPECT_EQ(gMenuMode, mmPlaylists);
        EXPECT_EQ(gStatusMessage, "Playlist \"" + name + ".m3u\" angelegt in \"" + music() + "\".");
        EXPECT_EQ(currentName(), name + ".m3u");
        EXPECT_EQ(gListElementOffset, before + 1 >= rows ? before + 1 : 0) << before;
    }
    // The same button ends the editing.
    callFunction_PlaylistNew();
    EXPECT_FALSE(gPlaylistEditing);
    EXPECT_EQ(gPressedKeyText, "Playlist abgeschlossen");
}

TEST_F(PlaylistsTest, RenamingKeepsTheKindOfFileAndRefusesTakenNames) {
    playlistFile("Album01/Best.m3u8", "#EXTM3U\r\n");
    const ListElementPtr best = playlistFile("Best.m3u8", "#EXTM3U\r\n");
    std::vector<std::string> shown;
    answer("Best"); // its own name is taken: the file exists
    answer(nullptr, &shown);
    callFunction_PlaylistRename(best);
    EXPECT_EQ(gStatusMessage, "Datei \"Best.m3u8\" existiert bereits in \"" + music() + "\".");
    EXPECT_EQ(shown, std::vector<std::string>{"Best"});
    EXPECT_EQ(gPressedKeyText, "Umbenennung abgebrochen");

    answer("Über");
    callFunction_PlaylistRename(best);
    EXPECT_TRUE(std::filesystem::exists(music() + "Über.m3u8"));
    EXPECT_FALSE(std::filesystem::exists(music() + "Best.m3u8"));
    EXPECT_EQ(gStatusMessage, "Playlist umbenannt: \"Über.m3u8");
    EXPECT_EQ(currentName(), "Über.m3u8");
    // Only the renamed file's entry changes; the namesake in the album stays.
    EXPECT_EQ(FoundPlaylistsSnapshot(), (std::vector<std::pair<std::string, std::string>>{
                                            {"Best.m3u8", music() + "Album01/Best.m3u8"},
                                            {"Über.m3u8", music() + "Über.m3u8"}}));

    // A file the rename cannot move: the error box, and the list stays as it was.
    answers.push_back([this] {
        std::filesystem::remove(music() + "Über.m3u8");
        EnterTextForm.accept();
    });
    callFunction_PlaylistRename(
        std::make_shared<TListElement>(ListElementType::Playlist, music(), "Über.m3u8", 0.0, 1));
    EXPECT_TRUE(logged("Fehler: Fehler beim Umbenennen"));
    EXPECT_EQ(gFoundPlaylists.size(), 2u);
}

TEST_F(PlaylistsTest, EditingAppendsTitlesAndFoldersToAPlaylistOfTheMusicRoot) {
    const ListElementPtr party = playlistFile("Party.m3u", "#EXTM3U\r\n");
    const ListElementPtr nested = playlistFile("Album01/Alt.m3u", "#EXTM3U\r\n");
    const ListElementPtr back =
        std::make_shared<TListElement>(ListElementType::Back, "", "..", 0.0, 0);
    for (const ListElementPtr& element : {back, nested}) {
        gPressedKeyText.clear();
        callFunction_PlaylistOpen(element);
        EXPECT_EQ(gPressedKeyText, "Nicht editierbar!");
        EXPECT_FALSE(gPlaylistEditing);
    }
    callFunction_PlaylistOpen(party);
    ASSERT_TRUE(gPlaylistEditing);
    EXPECT_EQ(gPressedKeyText, "Erweitere Playlist");

    openMusicRoot(); // "..", Album01 .. Album30, klein
    callFunction_IntoPlaylistDir(gListElements->element(31));
    EXPECT_EQ(gPressedKeyText, "2 Titel zu Playlist hinzugefügt.");
    const ListElementPtr title = std::make_shared<TListElement>(
        ListElementType::MP3, music() + "Album01", "01 Eins.mp3", 0.0, 1);
    callFunction_IntoPlaylist(title);
    title->SetLengthSeconds(61);
    callFunction_IntoPlaylist(title); // no title text: its name stands for it
    // Files without a readable length still get their line, with at least the delimiter.
    EXPECT_EQ(linesOf(music() + "Party.m3u"),
              (std::vector<std::string>{"#EXTM3U", "#EXTINF:0, - ", "klein/alpha.mp3",
                                        "#EXTINF:0, - ", "klein/beta.mp3", "Album01/01 Eins.mp3",
                                        "#EXTINF:61,01 Eins", "Album01/01 Eins.mp3"}));

    // A deleted playlist leaves the list, also when its file is already gone.
    callFunction_PlaylistDelete(party);
    EXPECT_EQ(gPressedKeyText, "Playlist entfernt");
    gFoundPlaylists.push_back({"Party.m3u", TMyString{music() + "Party.m3u"}});
    callFunction_PlaylistDelete(party);
    EXPECT_EQ(gPressedKeyText, "Fehler");
    EXPECT_EQ(FoundPlaylistsSnapshot().size(), 1u);
    // Appending to the vanished file writes nothing and says so.
    callFunction_IntoPlaylist(title);
    EXPECT_EQ(gStatusMessage, "Datei \"Party.m3u\" existiert nicht in \"" + music() + "\".");
    EXPECT_FALSE(std::filesystem::exists(music() + "Party.m3u"));
}

} // namespace
