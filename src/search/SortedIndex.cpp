#include "search/SortedIndex.h"

void SortedIndex::refreshStarts() const {
    if (m_startsValid)
        return;
    m_starts.resize(m_chunks.size());
    qsizetype start = 0;
    for (std::size_t c = 0; c < m_chunks.size(); ++c) {
        m_starts[c] = start;
        start += static_cast<qsizetype>(m_chunks[c].size());
    }
    m_startsValid = true;
}

SortedIndex::Place SortedIndex::placeOf(qsizetype rank) const {
    refreshStarts();
    const auto next = std::upper_bound(m_starts.begin(), m_starts.end(), rank);
    const std::size_t chunk = static_cast<std::size_t>(next - m_starts.begin()) - 1;
    return {chunk, static_cast<std::size_t>(rank - m_starts[chunk])};
}

qsizetype SortedIndex::rankOf(Place place) const {
    if (m_chunks.empty())
        return 0;
    refreshStarts();
    return m_starts[place.chunk] + static_cast<qsizetype>(place.offset);
}

int SortedIndex::at(qsizetype rank) const {
    Q_ASSERT(rank >= 0 && rank < m_size);
    const Place place = placeOf(rank);
    return m_chunks[place.chunk][place.offset];
}

void SortedIndex::insertAtPlace(Place place, int id) {
    if (m_chunks.empty())
        m_chunks.emplace_back();
    std::vector<int>& chunk = m_chunks[place.chunk];
    chunk.insert(chunk.begin() + static_cast<std::ptrdiff_t>(place.offset), id);
    if (chunk.size() > ChunkLimit) {
        const auto half = chunk.begin() + static_cast<std::ptrdiff_t>(chunk.size() / 2);
        std::vector<int> upper(half, chunk.end());
        chunk.erase(half, chunk.end());
        m_chunks.insert(m_chunks.begin() + static_cast<std::ptrdiff_t>(place.chunk) + 1, std::move(upper));
    }
    ++m_size;
    m_startsValid = false;
}

void SortedIndex::insertAtPlaces(const std::vector<Place>& places, const std::vector<int>& ids) {
    if (ids.empty())
        return;
    if (m_chunks.empty())
        m_chunks.emplace_back();
    // From the last place to the first, so the places still to come stay valid;
    // chunks grow past their limit here and are split once at the end.
    for (std::size_t k = ids.size(); k-- > 0;) {
        std::vector<int>& chunk = m_chunks[places[k].chunk];
        chunk.insert(chunk.begin() + static_cast<std::ptrdiff_t>(places[k].offset), ids[k]);
    }
    m_size += static_cast<qsizetype>(ids.size());
    m_startsValid = false;
    if (std::none_of(m_chunks.begin(), m_chunks.end(),
                     [](const std::vector<int>& chunk) { return chunk.size() > ChunkLimit; }))
        return;
    std::vector<std::vector<int>> split;
    split.reserve(m_chunks.size() + ids.size() / (ChunkLimit / 2) + 1);
    for (std::vector<int>& chunk : m_chunks) {
        if (chunk.size() <= ChunkLimit) {
            split.push_back(std::move(chunk));
            continue;
        }
        for (std::size_t i = 0; i < chunk.size(); i += ChunkLimit / 2)
            split.emplace_back(chunk.begin() + static_cast<std::ptrdiff_t>(i),
                               chunk.begin() +
                                   static_cast<std::ptrdiff_t>(std::min(chunk.size(), i + ChunkLimit / 2)));
    }
    m_chunks = std::move(split);
}

void SortedIndex::insertAt(qsizetype rank, int id) {
    Q_ASSERT(rank >= 0 && rank <= m_size);
    if (rank == m_size) {
        insertAtPlace(m_chunks.empty() ? Place{0, 0} : Place{m_chunks.size() - 1, m_chunks.back().size()},
                      id);
        return;
    }
    insertAtPlace(placeOf(rank), id);
}

void SortedIndex::append(const std::vector<int>& ids) {
    for (std::size_t i = 0; i < ids.size();) {
        if (m_chunks.empty() || m_chunks.back().size() >= ChunkLimit)
            m_chunks.emplace_back().reserve(ChunkLimit);
        std::vector<int>& chunk = m_chunks.back();
        const std::size_t take = std::min(ids.size() - i, ChunkLimit - chunk.size());
        chunk.insert(chunk.end(), ids.begin() + static_cast<std::ptrdiff_t>(i),
                     ids.begin() + static_cast<std::ptrdiff_t>(i + take));
        i += take;
    }
    m_size += static_cast<qsizetype>(ids.size());
    m_startsValid = false;
}

void SortedIndex::removeAt(qsizetype rank) {
    Q_ASSERT(rank >= 0 && rank < m_size);
    const Place place = placeOf(rank);
    std::vector<int>& chunk = m_chunks[place.chunk];
    chunk.erase(chunk.begin() + static_cast<std::ptrdiff_t>(place.offset));
    if (chunk.empty())
        m_chunks.erase(m_chunks.begin() + static_cast<std::ptrdiff_t>(place.chunk));
    --m_size;
    m_startsValid = false;
}

void SortedIndex::clear() {
    m_chunks.clear();
    m_starts.clear();
    m_startsValid = true;
    m_size = 0;
}

void SortedIndex::assign(const std::vector<int>& ordered) {
    clear();
    const std::size_t fill = ChunkLimit / 2;
    for (std::size_t i = 0; i < ordered.size(); i += fill) {
        const std::size_t end = std::min(ordered.size(), i + fill);
        m_chunks.emplace_back(ordered.begin() + static_cast<std::ptrdiff_t>(i),
                              ordered.begin() + static_cast<std::ptrdiff_t>(end));
    }
    m_size = static_cast<qsizetype>(ordered.size());
    m_startsValid = false;
}

std::vector<int> SortedIndex::toVector() const {
    std::vector<int> all;
    all.reserve(static_cast<std::size_t>(m_size));
    for (const std::vector<int>& chunk : m_chunks)
        all.insert(all.end(), chunk.begin(), chunk.end());
    return all;
}
