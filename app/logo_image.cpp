#include "app/logo_image.h"

#include <wincodec.h>

#include <cstring>

#include "platform/com_ptr.h"

using platform::ComPtr;

namespace {

// The resource's bytes stay mapped for the life of the module; nothing to free.
bool ResourceBytes(int resourceId, const BYTE** bytes, DWORD* size) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(10));
    if (!found) return false;
    const HGLOBAL loaded = LoadResource(module, found);
    if (!loaded) return false;
    *bytes = static_cast<const BYTE*>(LockResource(loaded));
    *size = SizeofResource(module, found);
    return *bytes && *size > 0;
}

struct Decoder {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmapFrameDecode> frame;
};

bool OpenFrame(int resourceId, Decoder& decoder) {
    const BYTE* bytes = nullptr;
    DWORD size = 0;
    if (!ResourceBytes(resourceId, &bytes, &size)) return false;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(decoder.factory.Put()))))
        return false;
    ComPtr<IWICStream> stream;
    if (FAILED(decoder.factory->CreateStream(stream.Put()))) return false;
    // The stream only reads the mapped resource.
    if (FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes), size))) return false;
    ComPtr<IWICBitmapDecoder> bitmapDecoder;
    if (FAILED(decoder.factory->CreateDecoderFromStream(
            stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, bitmapDecoder.Put())))
        return false;
    return SUCCEEDED(bitmapDecoder->GetFrame(0, decoder.frame.Put()));
}

}  // namespace

DecodedImage DecodeImageResource(int resourceId, int clientWidth, int clientHeight,
                                 ImagePlacement& placement) {
    Decoder decoder;
    UINT imageWidth = 0, imageHeight = 0;
    if (!OpenFrame(resourceId, decoder) ||
        FAILED(decoder.frame->GetSize(&imageWidth, &imageHeight)))
        return {};
    placement = PlaceImage(static_cast<int>(imageWidth), static_cast<int>(imageHeight),
                           clientWidth, clientHeight);
    if (placement.width <= 0 || placement.height <= 0) return {};
    const UINT width = static_cast<UINT>(placement.width);
    const UINT height = static_cast<UINT>(placement.height);
    ComPtr<IWICBitmapScaler> scaler;
    if (FAILED(decoder.factory->CreateBitmapScaler(scaler.Put())) ||
        FAILED(scaler->Initialize(decoder.frame.Get(), width, height,
                                  WICBitmapInterpolationModeFant)))
        return {};
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(decoder.factory->CreateFormatConverter(converter.Put())) ||
        FAILED(converter->Initialize(scaler.Get(), GUID_WICPixelFormat32bppBGR,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return {};
    DecodedImage image;
    image.width = placement.width;
    image.height = placement.height;
    image.pixels.resize(static_cast<size_t>(width) * height * 4);
    if (FAILED(converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(image.pixels.size()),
                                     image.pixels.data())))
        return {};
    return image;
}

HBITMAP BitmapFromImage(const DecodedImage& image) {
    if (image.pixels.empty()) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) std::memcpy(bits, image.pixels.data(), image.pixels.size());
    return bitmap;
}
