#include "db/FilteringRowSource.h"

#include "db/ProviderErrors.h"

FilteringRowSource::FilteringRowSource(std::unique_ptr<RowSource> source, RowFilter filter, int field)
    : m_source(std::move(source)), m_filter(std::move(filter)), m_field(field) {
    settle();
}

void FilteringRowSource::settle() {
    m_skipped = 0;
    while (!m_source->atEnd()) {
        ++m_number;
        const bool kept = m_filter.keepEvery > 0 && m_number % m_filter.keepEvery == 0;
        if (kept || m_filter.passes(m_source->value(m_field)))
            return;
        ++m_skipped;
        m_source->advance();
    }
}

void FilteringRowSource::advance() {
    if (m_source->atEnd())
        throw ProviderErrors::noCurrentRecord();
    m_source->advance();
    settle();
}

void FilteringRowSource::rewind() {
    m_source->rewind();
    m_number = 0;
    settle();
}
