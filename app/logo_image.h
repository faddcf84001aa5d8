// The logo: a JPEG stored among the executable's resources, decoded with the system's imaging
// component and scaled into a bitmap that GDI can draw.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "app/image_placement.h"

// Decoded pixels, 32 bits each (blue, green, red, unused), top row first.
struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
};

// Decodes the RCDATA resource and scales it by the placement rule for a client area of
// clientWidth x clientHeight; placement says where it goes. An empty image on any failure.
// COM must be initialised on the calling thread.
DecodedImage DecodeImageResource(int resourceId, int clientWidth, int clientHeight,
                                 ImagePlacement& placement);

// A device-independent bitmap holding the pixels; nullptr for an empty image.
HBITMAP BitmapFromImage(const DecodedImage& image);
