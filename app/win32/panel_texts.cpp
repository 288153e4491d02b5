#include "panel_texts.h"

#include <algorithm>

#include "language.h"

namespace tallix::win32 {

namespace {

using design::Kind;
using design::TextPlace;

const TextPlace& placeOf(std::size_t i) {
  return design::kTexts[i];
}

constexpr int kBoxPadding = 2;  // pixels between a box's border and its text, left and right

}  // namespace

void PanelTexts::create(HWND window) {
  for (std::size_t i = 0; i < kTextCount; ++i) {
    const TextPlace& t = placeOf(i);
    const std::size_t id = static_cast<std::size_t>(t.id);
    if (t.kind != Kind::box) continue;
    const DWORD align = t.align == design::Align::right ? ES_RIGHT : ES_LEFT;
    boxes_[id] = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_READONLY | ES_AUTOHSCROLL | align,
                                 0, 0, 0, 0, window, nullptr, nullptr, nullptr);
  }
}

void PanelTexts::layout(const Scale& scale) {
  for (std::size_t s = 0; s < fonts_.size(); ++s) {
    fonts_[s] = designFont(static_cast<design::Style>(s), scale);
  }
  HDC screen = GetDC(nullptr);
  for (const TextPlace& t : design::kTexts) {
    HWND box = boxes_[static_cast<std::size_t>(t.id)];
    if (box == nullptr) continue;
    HFONT font = fonts_[static_cast<std::size_t>(t.style)].get();
    SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(box, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                 MAKELPARAM(scale(kBoxPadding), scale(kBoxPadding)));
    // The edit control writes its line at its top: it is as high as a line and stands in the
    // middle of the box, inside the border.
    const HGDIOBJ old = SelectObject(screen, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, old);
    const RECT place = scale.rect(t.place);
    const int inside = place.bottom - place.top - 2;
    const int height = std::min<int>(metrics.tmHeight, inside);
    SetWindowPos(box, nullptr, place.left + 1, place.top + 1 + (inside - height) / 2,
                 place.right - place.left - 2, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ReleaseDC(nullptr, screen);
}

RECT PanelTexts::captionRect(HDC dc, std::size_t i, const std::string& text,
                             const Scale& scale) const {
  const TextPlace& t = placeOf(i);
  RECT place = scale.rect(t.place), needed = place;
  const HGDIOBJ old = SelectObject(dc, fonts_[static_cast<std::size_t>(t.style)].get());
  const std::wstring wide = widen(text);
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &needed,
            DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  UnionRect(&place, &place, &needed);
  return place;
}

void PanelTexts::render(const Panel& panel, HWND window, const Scale& scale) {
  HDC dc = GetDC(window);
  for (std::size_t i = 0; i < kTextCount; ++i) {
    const TextPlace& t = placeOf(i);
    const std::size_t id = static_cast<std::size_t>(t.id);
    const TextBox& text = panel.text(t.id);
    HWND box = boxes_[id];
    const bool changed = shown_[id] != text.text || visible_[id] != text.visible;
    if (!changed) continue;
    if (box != nullptr) {
      if (shown_[id] != text.text) SetWindowTextW(box, widen(text.text).c_str());
      ShowWindow(box, text.visible ? SW_SHOWNA : SW_HIDE);
      const RECT place = scale.rect(t.place);  // its border
      InvalidateRect(window, &place, FALSE);
    } else {
      RECT before = captionRect(dc, i, shown_[id], scale);
      RECT after = captionRect(dc, i, text.text, scale);
      UnionRect(&before, &before, &after);
      InvalidateRect(window, &before, FALSE);
    }
    shown_[id] = text.text;
    visible_[id] = text.visible;
  }
  ReleaseDC(window, dc);
}

void PanelTexts::paint(HDC dc, const Scale& scale) const {
  SetBkMode(dc, TRANSPARENT);
  auto caption = [&](const std::string& text, design::Twips place, design::Style style, Rgb c) {
    RECT rect = scale.rect(place);
    const HGDIOBJ old = SelectObject(dc, fonts_[static_cast<std::size_t>(style)].get());
    SetTextColor(dc, colour(c));
    const std::wstring wide = widen(text);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    SelectObject(dc, old);
  };
  for (const design::FixedCaption& c : design::kLabel1) {
    caption(c.text, c.place, c.style, design::kWhite);
  }
  Gdi<HBRUSH> border(CreateSolidBrush(colour(design::kBoxBorder)));
  for (std::size_t i = 0; i < kTextCount; ++i) {
    const TextPlace& t = placeOf(i);
    const std::size_t id = static_cast<std::size_t>(t.id);
    if (!visible_[id]) continue;
    if (t.kind == Kind::caption) {
      caption(shown_[id], t.place, t.style, t.colour);
    } else {
      const RECT place = scale.rect(t.place);
      FillRect(dc, &place, black_.get());
      FrameRect(dc, &place, border.get());
    }
  }
}

HBRUSH PanelTexts::colours(HWND control, HDC dc) const {
  for (const TextPlace& t : design::kTexts) {
    if (boxes_[static_cast<std::size_t>(t.id)] != control) continue;
    SetTextColor(dc, colour(t.colour));
    SetBkColor(dc, RGB(0, 0, 0));
    return black_.get();
  }
  return nullptr;
}

}  // namespace tallix::win32
