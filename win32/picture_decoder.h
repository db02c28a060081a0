#pragma once

#include "gdi_object.h"

#include <windows.h>
#include <wrl/client.h>

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
    GdiObject<HBITMAP> decode(std::span<const std::uint8_t> jpeg, SIZE size);

    // Takes back a bitmap that is no longer shown, to decode the next picture
    // of its size into: a fresh bitmap costs a pick more than its decoding.
    void recycle(GdiObject<HBITMAP> bitmap);

private:
    // A 32-bit top-down bitmap of this size and where its pixels lie: the
    // spare one when it has the size, else a new one.
    GdiObject<HBITMAP> bitmapOfSize(SIZE size, void*& pixels);

    Microsoft::WRL::ComPtr<IWICImagingFactory> m_factory;
    GdiObject<HBITMAP> m_spare;
};
