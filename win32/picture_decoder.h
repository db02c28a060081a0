#pragma once

#include "com_pointer.h"
#include "gdi_object.h"

#include <windows.h>

#include <cstdint>
#include <span>

struct IWICImagingFactory;

// Decodes JPEG pictures with the Windows Imaging Component, from bytes already
// in memory, so that no file is opened and no other decoder is tried.
class PictureDecoder {
public:
    PictureDecoder();
    ~PictureDecoder();
    PictureDecoder(const PictureDecoder&) = delete;
    PictureDecoder& operator=(const PictureDecoder&) = delete;

    // The JPEG picture in these bytes, stretched to exactly this size in
    // device pixels as a 32-bit bitmap; null when any step of decoding fails.
    GdiObject<HBITMAP> decode(std::span<const std::uint8_t> jpeg, SIZE size) const;

private:
    ComPointer<IWICImagingFactory> m_factory;
};
