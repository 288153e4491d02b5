#include "gdi.h"

#include <string>

#include "language.h"

namespace tallix::win32 {

RECT Scale::rect(design::Twips place) const {
  using design::px;
  return rect(px(place.left), px(place.top), px(place.width), px(place.height));
}

RECT Scale::rect(int left, int top, int width, int height) const {
  return {(*this)(left), (*this)(top), (*this)(left + width), (*this)(top + height)};
}

namespace {

int CALLBACK found(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM any) {
  *reinterpret_cast<bool*>(any) = true;
  return 0;
}

bool installed(const std::wstring& face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  face.copy(wanted.lfFaceName, LF_FACESIZE - 1);
  bool any = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &wanted, found, reinterpret_cast<LPARAM>(&any), 0);
  ReleaseDC(nullptr, screen);
  return any;
}

// The first face of the list that is installed; "" for none.
template <typename Faces>
std::wstring firstInstalled(const Faces& faces) {
  for (const char* face : faces) {
    if (installed(widen(face))) return widen(face);
  }
  return {};
}

}  // namespace

Gdi<HFONT> designFont(design::Style style, const Scale& scale, int pixels) {
  static const std::wstring proportional = firstInstalled(design::kProportionalFaces);
  static const std::wstring fixed = firstInstalled(design::kFixedFaces);
  const design::Font& f = design::font(style);
  LOGFONTW font{};
  font.lfHeight = -scale(pixels != 0 ? pixels : f.pixels);  // the height of the characters
  font.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = SHIFTJIS_CHARSET;
  font.lfQuality = CLEARTYPE_QUALITY;
  font.lfPitchAndFamily =
      static_cast<BYTE>((f.proportional ? VARIABLE_PITCH : FIXED_PITCH) | FF_ROMAN);
  (f.proportional ? proportional : fixed).copy(font.lfFaceName, LF_FACESIZE - 1);
  return Gdi<HFONT>(CreateFontIndirectW(&font));
}

Gdi<HFONT> uiFont(const Scale& scale) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                             static_cast<UINT>(scale.dpi()));
  return Gdi<HFONT>(CreateFontIndirectW(&metrics.lfMessageFont));
}

Gdi<HFONT> buttonFont(const Scale& scale) {
  static const std::wstring face = firstInstalled(design::kButtonFaces);
  LOGFONTW font{};
  font.lfHeight = -scale(design::kButtonPixels);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = SHIFTJIS_CHARSET;  // without the face, the system's Japanese sans-serif
  font.lfQuality = CLEARTYPE_QUALITY;
  font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  face.copy(font.lfFaceName, LF_FACESIZE - 1);
  return Gdi<HFONT>(CreateFontIndirectW(&font));
}

Buffered::Buffered(HDC target, const RECT& dirty)
    : target_(target),
      dirty_(dirty),
      dc_(CreateCompatibleDC(target)),
      bitmap_(CreateCompatibleBitmap(target, dirty.right - dirty.left, dirty.bottom - dirty.top)),
      old_(SelectObject(dc_, bitmap_.get())) {
  SetViewportOrgEx(dc_, -dirty.left, -dirty.top, nullptr);
}

Buffered::~Buffered() {
  BitBlt(target_, dirty_.left, dirty_.top, dirty_.right - dirty_.left, dirty_.bottom - dirty_.top,
         dc_, dirty_.left, dirty_.top, SRCCOPY);
  SelectObject(dc_, old_);
  DeleteDC(dc_);
}

}  // namespace tallix::win32
