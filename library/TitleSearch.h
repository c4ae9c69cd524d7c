#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// FINDTITLE: enters the title search, or leaves it back to the music folder.
void ToggleTitleSearch();
// Keeps the search field to the search mode: shown with the focus while gMenuMode is mmSearch,
// hidden otherwise. Leaving the search drops the position saved on entering it; the
// screensaver only interrupts the search and returns to it.
void TitleSearchModeChanged(std::uint8_t previous, std::uint8_t mode);
// Key-press filter of the search field: discards carriage return, "+" and "0".
bool EditfieldKeyPress(char32_t character);
// Runs the search for the field's text (only in the search mode).
void EditfieldChange();

// The search words of an upper-cased search text: up to three words, the third being all of
// the remaining text (blanks included). Rest is what is left of the text after the splitting.
struct TSearchWords {
    std::string Word1;
    std::string Word2;
    std::string Word3;
    std::string Rest;
};
TSearchWords SplitSearchWords(std::string_view upperText);

// Whether a title's key (its upper-cased file name) is a hit for the words: all three when
// there are three, both when there are two, else the first word or the rest. An empty word is
// never found.
bool IsSearchHit(std::string_view key, const TSearchWords& words);

// Replaces the shown list by the titles of the library that match the upper-cased text.
void SearchTitles(const std::string& upperText);
