#include "library/ElementList.h"

#include <utility>

void TElementList::add(std::string key, ListElementPtr element) {
    m_rows.push_back({std::move(key), std::move(element)});
}

void TElementList::insert(int index, std::string key, ListElementPtr element) {
    const auto position = (index < 0 || index >= count()) ? m_rows.end() : m_rows.begin() + index;
    m_rows.insert(position, {std::move(key), std::move(element)});
}

void TElementList::remove(int index) {
    if (valid(index))
        m_rows.erase(m_rows.begin() + index);
}

void TElementList::exchangeElements(int first, int second) {
    if (valid(first) && valid(second))
        std::swap(m_rows[static_cast<std::size_t>(first)].element,
                  m_rows[static_cast<std::size_t>(second)].element);
}

ListElementPtr TElementList::element(int index) const {
    return valid(index) ? m_rows[static_cast<std::size_t>(index)].element : nullptr;
}

const std::string& TElementList::key(int index) const {
    static const std::string empty;
    return valid(index) ? m_rows[static_cast<std::size_t>(index)].key : empty;
}

int TElementList::indexOfKey(const std::string& key) const {
    for (int i = 0; i < count(); ++i) {
        if (m_rows[static_cast<std::size_t>(i)].key == key)
            return i;
    }
    return -1;
}
