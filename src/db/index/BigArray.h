#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

#include <sys/mman.h>

// An array of plain values in anonymous memory straight from the kernel:
// zero-filled without a pass of its own, grown in place or moved without
// copying (mremap), and backed by huge pages where the system allows it, so
// that filling hundreds of megabytes costs few page faults.
template <typename T> class BigArray {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    BigArray() = default;
    explicit BigArray(size_t size) { resize(size); }
    ~BigArray() { release(); }
    BigArray(BigArray&& other) noexcept
        : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0)),
          m_bytes(std::exchange(other.m_bytes, 0)) {}
    BigArray& operator=(BigArray&& other) noexcept {
        if (this != &other) {
            release();
            m_data = std::exchange(other.m_data, nullptr);
            m_size = std::exchange(other.m_size, 0);
            m_bytes = std::exchange(other.m_bytes, 0);
        }
        return *this;
    }
    BigArray(const BigArray&) = delete;
    BigArray& operator=(const BigArray&) = delete;

    T* data() { return m_data; }
    const T* data() const { return m_data; }
    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    size_t bytes() const { return m_bytes; }
    T& operator[](size_t i) { return m_data[i]; }
    const T& operator[](size_t i) const { return m_data[i]; }
    const T* begin() const { return m_data; }
    const T* end() const { return m_data + m_size; }

    // New elements are zero.
    void resize(size_t size) {
        if (size * sizeof(T) > m_bytes)
            grow(size * sizeof(T));
        else if (size < m_size)
            std::memset(static_cast<void*>(m_data + size), 0, (m_size - size) * sizeof(T));
        m_size = size;
    }
    void push_back(const T& value) {
        if ((m_size + 1) * sizeof(T) > m_bytes)
            grow(std::max<size_t>(m_bytes * 2, size_t(1) << 16));
        m_data[m_size++] = value;
    }
    // Appends n values and returns where they start (zero-filled).
    T* extend(size_t n) {
        if ((m_size + n) * sizeof(T) > m_bytes)
            grow(std::max<size_t>(std::max<size_t>(m_bytes * 2, size_t(1) << 16), (m_size + n) * sizeof(T)));
        T* at = m_data + m_size;
        m_size += n;
        return at;
    }
    // Gives back the unused end of the reservation.
    void shrinkToFit() {
        const size_t needed = roundUp(m_size * sizeof(T));
        if (needed >= m_bytes)
            return;
        if (needed == 0) {
            release();
            return;
        }
        void* p = ::mremap(m_data, m_bytes, needed, 0);
        if (p != MAP_FAILED)
            m_bytes = needed;
    }

private:
    static constexpr size_t kPage = 4096;
    static constexpr size_t kHuge = size_t(2) << 20;

    static size_t roundUp(size_t bytes) { return (bytes + kPage - 1) / kPage * kPage; }

    // Huge pages need a range aligned to their size: large arrays get one,
    // and the pages already filled are moved into it, not copied.
    void grow(size_t bytes) {
        bytes = roundUp(bytes);
        if (bytes < kHuge) {
            void* p =
                m_data ? ::mremap(m_data, m_bytes, bytes, MREMAP_MAYMOVE)
                       : ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            if (p == MAP_FAILED)
                throw std::bad_alloc();
            m_data = static_cast<T*>(p);
            m_bytes = bytes;
            return;
        }
        bytes = (bytes + kHuge - 1) / kHuge * kHuge;
        void* raw =
            ::mmap(nullptr, bytes + kHuge, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (raw == MAP_FAILED)
            throw std::bad_alloc();
        auto* start = static_cast<char*>(raw);
        auto* aligned =
            reinterpret_cast<char*>((reinterpret_cast<uintptr_t>(start) + kHuge - 1) & ~(kHuge - 1));
        if (aligned > start)
            ::munmap(start, size_t(aligned - start));
        if (aligned + bytes < start + bytes + kHuge)
            ::munmap(aligned + bytes, size_t(start + bytes + kHuge - (aligned + bytes)));
        ::madvise(aligned, bytes, MADV_HUGEPAGE);
        if (m_data &&
            ::mremap(m_data, m_bytes, m_bytes, MREMAP_MAYMOVE | MREMAP_FIXED, aligned) == MAP_FAILED) {
            std::memcpy(aligned, m_data, m_bytes);
            ::munmap(m_data, m_bytes);
        }
        m_data = reinterpret_cast<T*>(aligned);
        m_bytes = bytes;
    }
    void release() {
        if (m_data)
            ::munmap(m_data, m_bytes);
        m_data = nullptr;
        m_size = 0;
        m_bytes = 0;
    }

    T* m_data = nullptr;
    size_t m_size = 0;
    size_t m_bytes = 0;
};
