#include "picture_decoder.h"

#include "exif_orientation.h"
#include "jpeg_layout.h"

#include <wincodec.h>

#include <vector>

PictureDecoder::PictureDecoder()
{
    // COM finds the factory through the registry, which names the system's
    // own windowscodecs.dll, so nothing is looked for beside the program.
    CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                     &m_factory);
}

PictureDecoder::~PictureDecoder() = default;

void PictureDecoder::recycle(GdiObject<HBITMAP> bitmap)
{
    m_spare = std::move(bitmap);
}

GdiObject<HBITMAP> PictureDecoder::bitmapOfSize(SIZE size, void*& pixels)
{
    DIBSECTION spare{};
    if (m_spare && GetObjectW(m_spare.get(), sizeof spare, &spare) == sizeof spare &&
        spare.dsBm.bmBits && spare.dsBmih.biWidth == size.cx && spare.dsBmih.biHeight == -size.cy &&
        spare.dsBmih.biBitCount == 32) {
        pixels = spare.dsBm.bmBits;
        return std::move(m_spare);
    }
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = size.cx;
    format.bmiHeader.biHeight = -size.cy; // top row first, as WIC writes it
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    pixels = nullptr;
    GdiObject<HBITMAP> bitmap(
        CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!bitmap || !pixels)
        return {};
    return bitmap;
}

GdiObject<HBITMAP> PictureDecoder::decode(std::span<const std::uint8_t> jpeg, SIZE size)
{
    if (!m_factory || jpeg.empty() || size.cx <= 0 || size.cy <= 0)
        return {};
    Microsoft::WRL::ComPtr<IWICStream> stream;
    if (FAILED(m_factory->CreateStream(&stream)) ||
        // The stream only reads from the buffer, whatever its signature says.
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(jpeg.data()), DWORD(jpeg.size()))))
        return {};
    // The JPEG decoder by name: nothing is sniffed, so no other codec ever
    // sees the bytes.
    Microsoft::WRL::ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(m_factory->CreateDecoder(GUID_ContainerFormatJpeg, nullptr, &decoder)) ||
        FAILED(decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand)))
        return {};
    Microsoft::WRL::ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, &frame)))
        return {};
    Microsoft::WRL::ComPtr<IWICFormatConverter> converter;
    if (FAILED(m_factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return {};
    // A camera stores the picture as its sensor saw it and says in the file
    // which way up it belongs: it is stretched at its stored orientation, to
    // the area turned the same way, then turned upright.
    const auto layout = readJpegLayout(jpeg);
    const UprightTurn turn = uprightTurn(layout ? layout->orientation : 1);
    const SIZE stored = turn.swapsSides() ? SIZE{size.cy, size.cx} : size;
    // Stretched to the area whatever the picture's own proportions.
    Microsoft::WRL::ComPtr<IWICBitmapScaler> scaler;
    if (FAILED(m_factory->CreateBitmapScaler(&scaler)) ||
        FAILED(scaler->Initialize(converter.Get(), UINT(stored.cx), UINT(stored.cy),
                                  WICBitmapInterpolationModeFant)))
        return {};

    void* pixels = nullptr;
    GdiObject<HBITMAP> bitmap = bitmapOfSize(size, pixels);
    if (!bitmap)
        return {};
    const std::size_t pixelCount = std::size_t(size.cx) * std::size_t(size.cy);
    std::vector<std::uint32_t> storedPixels(turn.isNone() ? 0 : pixelCount);
    BYTE* const target =
        turn.isNone() ? static_cast<BYTE*>(pixels) : reinterpret_cast<BYTE*>(storedPixels.data());
    const UINT stride = UINT(stored.cx) * 4;
    // Decoding happens here; a picture that fails part-way is never shown,
    // so the one shown stays, and its bitmap waits for the next picture.
    if (FAILED(scaler->CopyPixels(nullptr, stride, stride * UINT(stored.cy), target))) {
        m_spare = std::move(bitmap);
        return {};
    }
    if (!turn.isNone())
        turnUpright(storedPixels, stored.cx, stored.cy, turn,
                    std::span(static_cast<std::uint32_t*>(pixels), pixelCount));
    return bitmap;
}
