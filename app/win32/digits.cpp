#include "digits.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <stdexcept>
#include <string>

#include "language.h"

namespace tallix::win32 {

namespace {

using Microsoft::WRL::ComPtr;
constexpr int kWidth = 32, kHeight = 45;  // every picture's size in pixels

void check(HRESULT result, const std::string& name) {
  if (FAILED(result)) throw std::runtime_error("cannot decode the digit picture " + name);
}

// A picture from the program's resources, as a bitmap of 32-bit pixels.
Gdi<HBITMAP> decode(IWICImagingFactory& wic, const std::string& name) {
  const std::wstring resource = widen(name);
  HRSRC found = FindResourceW(nullptr, resource.c_str(), RT_RCDATA);
  HGLOBAL loaded = found != nullptr ? LoadResource(nullptr, found) : nullptr;
  if (loaded == nullptr) check(E_FAIL, name);
  ComPtr<IWICStream> stream;
  check(wic.CreateStream(&stream), name);
  check(stream->InitializeFromMemory(static_cast<BYTE*>(LockResource(loaded)),
                                     SizeofResource(nullptr, found)),
        name);
  ComPtr<IWICBitmapDecoder> decoder;
  check(
      wic.CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, &decoder),
      name);
  ComPtr<IWICBitmapFrameDecode> frame;
  check(decoder->GetFrame(0, &frame), name);
  ComPtr<IWICFormatConverter> bgr;
  check(wic.CreateFormatConverter(&bgr), name);
  check(bgr->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr,
                        0, WICBitmapPaletteTypeCustom),
        name);
  UINT width = 0, height = 0;
  check(bgr->GetSize(&width, &height), name);
  if (width != kWidth || height != kHeight) check(E_FAIL, name);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  Gdi<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) check(E_OUTOFMEMORY, name);
  check(bgr->CopyPixels(nullptr, kWidth * 4, kWidth * kHeight * 4, static_cast<BYTE*>(bits)), name);
  return bitmap;
}

}  // namespace

DigitPictures::DigitPictures() {
  ComPtr<IWICImagingFactory> wic;
  check(
      CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&wic)),
      "(no imaging component)");
  for (std::size_t set = 0; set < design::kPictureSets.size(); ++set) {
    for (std::size_t k = 0; k < 11; ++k) {
      pictures_[set][k] =
          decode(*wic.Get(), std::string(design::kPictureSets[set]) + "_" + std::to_string(k));
    }
  }
}

DigitCells::DigitCells(const DigitPictures& pictures) : pictures_(pictures) {
  const Panel fresh;
  for (std::size_t g = 0; g < kGroupCount; ++g) {
    const DigitGroup& group = fresh.group(static_cast<GroupId>(g));
    for (std::size_t k = 0; k < cells_[g].size(); ++k) {
      cells_[g][k] = {group.set, k < group.size ? group.digits[k] : -1};
    }
  }
  minus_ = {fresh.group(GroupId::saImage).set, -1};
}

void DigitCells::show(Cell& cell, Cell now, design::Twips place, HWND window, const Scale& scale) {
  if (cell.set == now.set && cell.picture == now.picture) return;
  cell = now;
  const RECT rect = scale.rect(place);
  InvalidateRect(window, &rect, FALSE);
}

void DigitCells::render(const Panel& panel, HWND window, const Scale& scale) {
  for (std::size_t g = 0; g < kGroupCount; ++g) {
    const auto id = static_cast<GroupId>(g);
    const DigitGroup& group = panel.group(id);
    for (std::size_t k = 0; k < group.size; ++k) {
      show(cells_[g][k], {group.set, group.digits[k]}, design::digitPlace(id, static_cast<int>(k)),
           window, scale);
    }
  }
  show(minus_,
       {panel.group(GroupId::saImage).set, panel.saMinusVisible() ? design::kMinusPicture : -1},
       design::kSaMinus, window, scale);
}

void DigitCells::paint(HDC dc, const RECT& dirty, const Scale& scale) const {
  HDC source = CreateCompatibleDC(dc);
  const HGDIOBJ old = SelectObject(source, pictures_.picture(PictureSet::Image1, 0));
  SetStretchBltMode(dc, HALFTONE);
  auto draw = [&](const Cell& cell, design::Twips place) {
    RECT rect = scale.rect(place), overlap;
    if (cell.picture < 0 || !IntersectRect(&overlap, &rect, &dirty)) return;
    SelectObject(source, pictures_.picture(cell.set, cell.picture));
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width == kWidth && height == kHeight) {  // at 96 dpi the picture as it is
      BitBlt(dc, rect.left, rect.top, width, height, source, 0, 0, SRCCOPY);
    } else {
      StretchBlt(dc, rect.left, rect.top, width, height, source, 0, 0, kWidth, kHeight, SRCCOPY);
    }
  };
  for (std::size_t g = 0; g < kGroupCount; ++g) {
    for (std::size_t k = 0; k < cells_[g].size(); ++k) {
      draw(cells_[g][k], design::digitPlace(static_cast<GroupId>(g), static_cast<int>(k)));
    }
  }
  draw(minus_, design::kSaMinus);
  SelectObject(source, old);
  DeleteDC(source);
}

}  // namespace tallix::win32
