// Decodes stored pictures with Windows Imaging Component from a memory stream over the resource bytes.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <objbase.h>
#include <shlwapi.h>
#include <wincodec.h>

#include "host/pictures/picture_decoder.h"

#include <limits>

namespace zorun::host {

namespace {

// Largest picture accepted: the stored ones are far smaller, and a broken one must not allocate gigabytes.
constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 26;

// Releases a COM interface when it goes out of scope.
template <typename T>
class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef()
    {
        if (pointer_ != nullptr)
            pointer_->Release();
    }
    T* get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    T** put() { return &pointer_; }

private:
    T* pointer_ = nullptr;
};

// Keeps COM initialised on this thread for one decode; a thread already in another apartment is fine.
class ComScope {
public:
    ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope()
    {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }

private:
    HRESULT result_;
};

bool decode(const std::uint8_t* bytes, std::size_t size, Picture& picture)
{
    if (bytes == nullptr || size == 0 || size > std::numeric_limits<UINT>::max())
        return false;
    ComScope com;
    ComRef<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.put()))))
        return false;
    // The stream keeps its own copy of the bytes, so the caller's buffer may go at once.
    ComRef<IStream> stream;
    *stream.put() = SHCreateMemStream(bytes, static_cast<UINT>(size));
    if (stream.get() == nullptr)
        return false;
    ComRef<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.put())))
        return false;
    ComRef<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, frame.put())))
        return false;
    ComRef<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(converter.put())) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return false;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 ||
        std::uint64_t{width} * height > kMaxPixels)
        return false;
    const UINT stride = width * 3;
    std::vector<std::uint8_t> pixels(std::size_t{stride} * height);
    if (FAILED(converter->CopyPixels(nullptr, stride, static_cast<UINT>(pixels.size()), pixels.data())))
        return false;
    for (std::size_t i = 0; i < pixels.size(); i += 3)
        std::swap(pixels[i], pixels[i + 2]);  // BGR to RGB
    picture.width = static_cast<std::int32_t>(width);
    picture.height = static_cast<std::int32_t>(height);
    picture.rgb = std::move(pixels);
    return true;
}

}  // namespace

Picture DecodePicture(const std::uint8_t* bytes, std::size_t size)
{
    Picture picture;
    if (!decode(bytes, size, picture))
        picture = Picture{};
    return picture;
}

bool LoadPictureResource(int resourceId, Picture& picture)
{
    picture = Picture{};
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (found == nullptr)
        return false;
    HGLOBAL loaded = LoadResource(module, found);
    const DWORD size = SizeofResource(module, found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr)
        return false;
    picture = DecodePicture(static_cast<const std::uint8_t*>(bytes), size);
    return !picture.rgb.empty();
}

}  // namespace zorun::host
