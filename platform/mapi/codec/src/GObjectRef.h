#pragma once
// Owns one reference to a GObject (GMime messages, parts, streams).

#include <glib-object.h>

#include <utility>

template <class T>
class GObjectRef {
public:
    GObjectRef() = default;
    explicit GObjectRef(T* owned) : m_p(owned) {}
    GObjectRef(const GObjectRef&) = delete;
    GObjectRef& operator=(const GObjectRef&) = delete;
    GObjectRef(GObjectRef&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    GObjectRef& operator=(GObjectRef&& other) noexcept
    {
        std::swap(m_p, other.m_p);
        return *this;
    }
    ~GObjectRef()
    {
        if (m_p)
            g_object_unref(m_p);
    }

    T* get() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};
