#include "history_frame.h"

#include <string>

#include "language.h"

namespace tallix::win32 {

namespace {

// A place inside the frame, in the window.
RECT inFrame(design::Twips place, const Scale& scale) {
  using design::px;
  const design::Twips& frame = design::kHistoryFrame;
  return scale.rect(px(frame.left) + px(place.left), px(frame.top) + px(place.top), px(place.width),
                    px(place.height));
}

}  // namespace

HistoryFrame::HistoryFrame() {
  const Panel fresh;
  for (std::size_t i = 0; i < shown_.size(); ++i) shown_[i] = fresh.history(i);
}

void HistoryFrame::layout(const Scale& scale) {
  font_ = designFont(design::kHistoryStyle, scale);
}

void HistoryFrame::render(const Panel& panel, HWND window, const Scale& scale) {
  bool changed = false;
  for (std::size_t i = 0; i < shown_.size(); ++i) {
    const HistoryEntry& entry = panel.history(i);
    if (shown_[i].text == entry.text && shown_[i].colour == entry.colour) continue;
    shown_[i] = entry;
    changed = true;
  }
  if (!changed) return;
  const RECT frame = scale.rect(design::kHistoryFrame);
  InvalidateRect(window, &frame, FALSE);
}

void HistoryFrame::paint(HDC dc, const Scale& scale) const {
  const RECT frame = scale.rect(design::kHistoryFrame);
  Gdi<HBRUSH> edge(CreateSolidBrush(colour(design::kFrameBorder)));
  FrameRect(dc, &frame, edge.get());
  SetBkMode(dc, TRANSPARENT);
  const HGDIOBJ oldFont = SelectObject(dc, font_.get());
  auto caption = [&](const std::string& text, design::Twips place, Rgb c) {
    RECT rect = inFrame(place, scale);
    SetTextColor(dc, colour(c));
    const std::wstring wide = widen(text);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  };
  for (int n = 1; n <= 10; ++n) {  // Label2 .. Label11 hold the row numbers 1 .. 10
    caption(std::to_string(n), design::historyNumberPlace(n), design::kWhite);
  }
  for (std::size_t i = 0; i < shown_.size(); ++i) {
    caption(shown_[i].text, design::historyBarPlace(static_cast<int>(i)), shown_[i].colour);
  }
  for (const design::ScaleCaption& c : design::kHistoryScale) {
    caption(c.text, c.place, design::kWhite);
  }
  SelectObject(dc, oldFont);
  for (const design::Line& line : design::kHistoryLines) {
    const LOGBRUSH white{BS_SOLID, colour(design::kWhite), 0};
    Gdi<HPEN> pen(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT,
                               static_cast<DWORD>(scale(line.width)), &white, 0, nullptr));
    const HGDIOBJ oldPen = SelectObject(dc, pen.get());
    // The line's x and ends are in twips inside the frame.
    const auto at = [&](int twips) { return scale(twips) / design::kTwipsPerPixel; };
    MoveToEx(dc, frame.left + at(line.x), frame.top + at(line.top), nullptr);
    LineTo(dc, frame.left + at(line.x), frame.top + at(line.bottom));
    SelectObject(dc, oldPen);
  }
}

}  // namespace tallix::win32
