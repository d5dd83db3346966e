// PNG decoding on Windows through the Windows Imaging Component, the
// system's own decoder, to the same texels libpng gives elsewhere.
#include <windows.h>
#include <wincodec.h>

#include <algorithm>

#include "platform/png_image.h"

namespace {

template <typename T>
struct Com {
  T* p = nullptr;
  ~Com() {
    if (p) p->Release();
  }
  T** operator&() { return &p; }
  T* operator->() const { return p; }
};

// Whether the file's own pixel format carries alpha or transparency.
bool FormatHasAlpha(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame) {
  WICPixelFormatGUID format;
  if (FAILED(frame->GetPixelFormat(&format))) return false;
  Com<IWICComponentInfo> info;
  Com<IWICPixelFormatInfo2> pixelInfo;
  BOOL transparency = FALSE;
  if (SUCCEEDED(factory->CreateComponentInfo(format, &info)) &&
      SUCCEEDED(info->QueryInterface(IID_IWICPixelFormatInfo2, reinterpret_cast<void**>(&pixelInfo))))
    pixelInfo->SupportsTransparency(&transparency);
  if (transparency) return true;
  Com<IWICPalette> palette;
  BOOL paletteAlpha = FALSE;
  if (SUCCEEDED(factory->CreatePalette(&palette)) && SUCCEEDED(frame->CopyPalette(palette.p)))
    palette->HasAlpha(&paletteAlpha);
  return paletteAlpha;
}

bool CreateFactory(IWICImagingFactory** factory) {
  // Each thread that decodes joins the multithreaded apartment; one already
  // set up either way is fine.
  CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IWICImagingFactory, reinterpret_cast<void**>(factory)));
}

const char* Decode(const std::vector<unsigned char>& bytes, ArgbImage* image) {
  Com<IWICImagingFactory> factory;
  if (!CreateFactory(&factory)) return "no imaging component";
  Com<IWICStream> stream;
  Com<IWICBitmapDecoder> decoder;
  Com<IWICBitmapFrameDecode> frame;
  if (FAILED(factory->CreateStream(&stream)) ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), DWORD(bytes.size()))) ||
      FAILED(factory->CreateDecoder(GUID_ContainerFormatPng, nullptr, &decoder)) ||
      FAILED(decoder->Initialize(stream.p, WICDecodeMetadataCacheOnDemand)) || FAILED(decoder->GetFrame(0, &frame)))
    return "PNG error";
  UINT width = 0, height = 0;
  if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0) return "PNG error";
  if (width > UINT(kMaxPngSide) || height > UINT(kMaxPngSide) || int64_t(width) * height > kMaxPngPixels)
    return "image is too large";
  Com<IWICBitmapSource> converted;
  if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.p, &converted))) return "PNG error";
  image->width = int(width);
  image->height = int(height);
  image->pixels.assign(size_t(width) * height, 0);
  // 32 bits BGRA in memory is 0xAARRGGBB in a little-endian word.
  if (FAILED(converted->CopyPixels(nullptr, width * 4, UINT(image->pixels.size() * 4),
                                   reinterpret_cast<BYTE*>(image->pixels.data()))))
    return "file is truncated";
  image->hasAlpha = FormatHasAlpha(factory.p, frame.p);
  return nullptr;
}

}  // namespace

bool DecodePng(const std::vector<unsigned char>& bytes, ArgbImage* image, std::string* error) {
  return DecodePngWith(Decode, bytes, image, error);
}

bool SavePng(const std::string& path, const ArgbImage& image) {
  if (!HasWholePixels(image)) return false;
  Com<IWICImagingFactory> factory;
  if (!CreateFactory(&factory)) return false;
  std::wstring widePath(path.begin(), path.end());
  Com<IWICStream> stream;
  Com<IWICBitmapEncoder> encoder;
  Com<IWICBitmapFrameEncode> frame;
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
  UINT stride = UINT(image.width) * 4;
  return SUCCEEDED(factory->CreateStream(&stream)) &&
         SUCCEEDED(stream->InitializeFromFilename(widePath.c_str(), GENERIC_WRITE)) &&
         SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
         SUCCEEDED(encoder->Initialize(stream.p, WICBitmapEncoderNoCache)) &&
         SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
         SUCCEEDED(frame->SetSize(UINT(image.width), UINT(image.height))) &&
         SUCCEEDED(frame->SetPixelFormat(&format)) && format == GUID_WICPixelFormat32bppBGRA &&
         SUCCEEDED(frame->WritePixels(UINT(image.height), stride, stride * UINT(image.height),
                                      reinterpret_cast<BYTE*>(const_cast<uint32_t*>(image.pixels.data())))) &&
         SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}
