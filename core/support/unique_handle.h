#pragma once

#include <utility>

// Owns one handle to a system resource (a file, a GDI object) and closes it
// when it goes, so that no handle outlives its use. Traits names the handle's
// type, its invalid value, invalid(), and how to close(handle) a valid one.
template <typename Traits> class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : m_handle(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept
        : m_handle(std::exchange(other.m_handle, Traits::invalid()))
    {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) {
            reset();
            m_handle = std::exchange(other.m_handle, Traits::invalid());
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return m_handle; }
    explicit operator bool() const { return m_handle != Traits::invalid(); }

private:
    void reset()
    {
        if (*this)
            Traits::close(m_handle);
        m_handle = Traits::invalid();
    }

    Handle m_handle = Traits::invalid();
};
