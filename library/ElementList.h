#pragma once

#include "library/ListElement.h"

#include <string>
#include <vector>

// An ordered list of (key, element) rows that keeps insertion order; nothing sorts it. The
// rows share their elements with other lists: dropping a list never ends an element that
// another list still holds.
//
// Out-of-range indexes are not an error here: element() yields nullptr and key() the empty
// text, and the changing operations do nothing, so a stale index never crashes the program.
class TElementList {
public:
    struct Row {
        std::string key;
        ListElementPtr element;
    };

    void add(std::string key, ListElementPtr element);
    // Inserts before position index; an index at or past the end appends.
    void insert(int index, std::string key, ListElementPtr element);
    // Removes the row at index (its element lives on while another list holds it).
    void remove(int index);
    // Exchanges the elements of two rows; the keys stay at their positions.
    void exchangeElements(int first, int second);
    void clear() { m_rows.clear(); }

    int count() const { return static_cast<int>(m_rows.size()); }
    bool empty() const { return m_rows.empty(); }
    ListElementPtr element(int index) const;
    const std::string& key(int index) const;
    // Position of the first row with this key (exact comparison), -1 when there is none.
    int indexOfKey(const std::string& key) const;

    std::vector<Row>::const_iterator begin() const { return m_rows.begin(); }
    std::vector<Row>::const_iterator end() const { return m_rows.end(); }

private:
    bool valid(int index) const { return index >= 0 && index < count(); }

    std::vector<Row> m_rows;
};
