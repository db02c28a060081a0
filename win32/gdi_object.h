#pragma once

#include "unique_handle.h"

#include <windows.h>

// A GDI object (a font, bitmap, brush or region) the window owns.
template <typename Object> struct GdiObjectTraits {
    using Handle = Object;
    static Object invalid() { return nullptr; }
    static void close(Object object) { DeleteObject(object); }
};
template <typename Object> using GdiObject = UniqueHandle<GdiObjectTraits<Object>>;
