#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct IWICImagingFactory;

// The least work any Windows viewer must do for a picture file: read it whole
// and have the Windows Imaging Component's JPEG decoder turn it into 32-bit
// pixels of the given size, into plain memory. Needs COM on the thread.
class WicFloor {
public:
    WicFloor();
    ~WicFloor();
    WicFloor(const WicFloor&) = delete;
    WicFloor& operator=(const WicFloor&) = delete;

    // Reads and decodes the file; the number of pixel bytes written, or 0 on
    // failure.
    long readAndDecode(const std::wstring& path, UINT width, UINT height);

private:
    IWICImagingFactory* m_factory = nullptr;
    std::vector<std::uint8_t> m_file;
    std::vector<std::uint8_t> m_pixels;
};

// The whole file, or nothing.
bool readWholeFile(const std::wstring& path, std::vector<std::uint8_t>& bytes);
