#pragma once
// A GMime (GObject) object owned by one reference, let go at the end.

#include <glib-object.h>

#include <memory>

template <class T>
struct GObjectUnref {
    void operator()(T* object) const { g_object_unref(object); }
};

template <class T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref<T>>;
