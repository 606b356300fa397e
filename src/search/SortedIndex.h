#pragma once

#include <QtGlobal>

#include <algorithm>
#include <vector>

// Row ids in list order, kept in chunks so that a row finds its place in a list
// of a million rows without the whole list moving: finding the place costs
// O(log n) comparisons, inserting O(chunk), and looking up a row by its
// position O(log chunks) once the chunk starts are up to date.
class SortedIndex {
public:
    qsizetype size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }

    int at(qsizetype rank) const;
    int back() const { return m_chunks.back().back(); }

    // A position as chunk and offset, valid until the index changes.
    struct Place {
        std::size_t chunk;
        std::size_t offset;
    };

    // Position where `id` goes in an index ordered by `less`: after every id
    // that `id` does not go before, so equal ids keep their arrival order.
    template <class Less> qsizetype upperRank(int id, Less&& less) const {
        const Place place = upperPlace(id, less);
        return rankOf(place);
    }

    void insertAt(qsizetype rank, int id);
    // Adds ids after the last one, in their given order.
    void append(const std::vector<int>& ids);
    void removeAt(qsizetype rank);
    void clear();
    void assign(const std::vector<int>& ordered);
    std::vector<int> toVector() const;

    // Where `id` goes, as a place; see upperRank.
    template <class Less> Place upperPlace(int id, Less& less) const {
        if (m_chunks.empty())
            return {0, 0};
        // The first chunk whose last id comes after `id` holds its place.
        const auto chunk = std::partition_point(
            m_chunks.begin(), m_chunks.end(), [&](const std::vector<int>& c) { return !less(id, c.back()); });
        if (chunk == m_chunks.end())
            return {m_chunks.size() - 1, m_chunks.back().size()};
        const auto at =
            std::upper_bound(chunk->begin(), chunk->end(), id, [&](int a, int b) { return less(a, b); });
        return {static_cast<std::size_t>(chunk - m_chunks.begin()),
                static_cast<std::size_t>(at - chunk->begin())};
    }

    qsizetype rankOf(Place place) const;

    // Inserts ids at places found on the index as it is now, given in
    // non-decreasing order; ids sharing a place keep their given order.
    void insertAtPlaces(const std::vector<Place>& places, const std::vector<int>& ids);

private:
    Place placeOf(qsizetype rank) const;
    void insertAtPlace(Place place, int id);
    void refreshStarts() const;

    static constexpr std::size_t ChunkLimit = 1024;

    std::vector<std::vector<int>> m_chunks;  // never holds an empty chunk
    mutable std::vector<qsizetype> m_starts; // position of each chunk's first id
    mutable bool m_startsValid = true;
    qsizetype m_size = 0;
};
