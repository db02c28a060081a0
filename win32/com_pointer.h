#pragma once

#include <objbase.h>

#include <utility>

// Holds one reference to a COM object and releases it when it goes.
template <typename Interface> class ComPointer {
public:
    ComPointer() = default;
    ~ComPointer() { reset(); }
    ComPointer(ComPointer&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    ComPointer& operator=(ComPointer&& other) noexcept
    {
        if (this != &other) {
            reset();
            m_object = std::exchange(other.m_object, nullptr);
        }
        return *this;
    }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;

    Interface* get() const { return m_object; }
    Interface* operator->() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }
    // The address a creating call writes its new reference to; whatever was
    // held before is released first.
    Interface** put()
    {
        reset();
        return &m_object;
    }

private:
    void reset()
    {
        if (m_object)
            m_object->Release();
        m_object = nullptr;
    }

    Interface* m_object = nullptr;
};
