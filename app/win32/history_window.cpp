#include "history_window.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/files.h"
#include "dialogs.h"
#include "language.h"

namespace tallix::win32 {

namespace {

constexpr UINT_PTR kLiveTimer = 1;
constexpr UINT kLiveMs = 500;     // the current play is redrawn this often while shown
constexpr SIZE kSize{1000, 680};  // at most: never past the screen's free area
enum Id : int { kPlays = 1, kBonuses, kExportBonuses, kExportSummaries };

std::vector<std::wstring> translatedAll(const std::vector<Said>& texts) {
  std::vector<std::wstring> all;
  for (const Said& t : texts) all.push_back(translated(t));
  return all;
}

void setRow(ListView& list, std::size_t row, const design::TableRow& shown) {
  list.setRow(static_cast<int>(row), translatedAll(shown.cells), colour(shown.colour));
}

}  // namespace

HistoryWindow::HistoryWindow(HWND owner, const Counter& counter, std::filesystem::path pastPlays)
    : ToolWindow(owner, translate("Window", "Tallix bonus history"), kSize),
      model_(counter, std::move(pastPlays)),
      split_(1.0 / 3, [this] { relayout(); }) {
  plays_.create(hwnd(), kPlays, translatedAll(design::playColumns()));
  problem_ = control(L"STATIC", L"", SS_LEFT | SS_NOPREFIX);
  estimate_ = control(L"STATIC", L"", SS_LEFT | SS_NOPREFIX);
  bonuses_.create(hwnd(), kBonuses, translatedAll(design::bonusColumns()));
  chart_.create(hwnd());
  exportBonuses_ = control(L"BUTTON", translate("Window", "Export the bonuses as CSV"), WS_TABSTOP,
                           kExportBonuses);
  exportSummaries_ = control(L"BUTTON", translate("Window", "Export the summaries as CSV"),
                             WS_TABSTOP, kExportSummaries);
  for (HWND list : {plays_.hwnd(), bonuses_.hwnd()}) {
    SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
  }
  created();
}

void HistoryWindow::show(HWND panel) {
  if (!IsWindowVisible(hwnd())) placeOver(panel, kSize);
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
  refresh();
  SetTimer(hwnd(), kLiveTimer, kLiveMs, nullptr);
}

void HistoryWindow::layout(const RECT& client) {
  // The list of plays above the play picked, the bar between them sharing the height; the
  // estimate line and the bonuses beside their chart; the export buttons beneath.
  const int gap = scale()(8), button = scale()(26), line = scale()(20);
  const int width = client.right - 2 * gap;
  const int bottom = client.bottom - gap - button;
  const int playsHeight = split_.place(gap, gap + width, gap, bottom - gap, gap, scale()(80));
  MoveWindow(plays_.hwnd(), gap, gap, width, playsHeight, TRUE);
  int top = split_.bar().bottom;
  const bool problem = IsWindowVisible(problem_);
  MoveWindow(problem_, gap, top, width, problem ? scale()(40) : 0, TRUE);
  if (problem) top += scale()(40) + gap;
  MoveWindow(estimate_, gap, top, width, line, TRUE);
  top += line;
  const int half = (width - gap) / 2;
  MoveWindow(bonuses_.hwnd(), gap, top, half, bottom - gap - top, TRUE);
  MoveWindow(chart_.hwnd(), gap + half + gap, top, width - half - gap, bottom - gap - top, TRUE);
  const int buttonWidth = scale()(220);
  MoveWindow(exportSummaries_, client.right - gap - buttonWidth, bottom, buttonWidth, button, TRUE);
  MoveWindow(exportBonuses_, client.right - 2 * (gap + buttonWidth), bottom, buttonWidth, button,
             TRUE);
  plays_.spread(true);
  bonuses_.spread();
}

void HistoryWindow::relayout() {
  RECT client;
  GetClientRect(hwnd(), &client);
  layout(client);
  // A control moved keeps the pixels it was moved from where it copied them (the list views
  // do): everything is drawn afresh.
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void HistoryWindow::refresh() {
  if (const Said why = model_.refresh(); !why.empty()) {
    showMessage(hwnd(), translate("Window", "The past plays cannot be listed."), translated(why));
  }
  plays_.setRowCount(static_cast<int>(model_.rowCount()));
  for (std::size_t row = 0; row < model_.rowCount(); ++row)
    setRow(plays_, row, model_.playRow(row));
  plays_.select(static_cast<int>(model_.picked()));
  plays_.spread(true);
  showPicked();
}

void HistoryWindow::showPicked() {
  setRow(plays_, 0, model_.playRow(0));
  const bool redraw = model_.pick(static_cast<std::size_t>(std::max(plays_.selected(), 0)));
  SetWindowTextW(estimate_, translated(model_.estimateLine()).c_str());
  if (!redraw) return;
  const bool problem = !model_.problem().empty();
  SetWindowTextW(problem_, translated(model_.problem()).c_str());
  if (problem != static_cast<bool>(IsWindowVisible(problem_))) {
    ShowWindow(problem_, problem ? SW_SHOWNA : SW_HIDE);
    relayout();
  }
  const std::vector<design::TableRow> rows = model_.bonusRows();
  bonuses_.setRowCount(static_cast<int>(rows.size()));
  for (std::size_t i = 0; i < rows.size(); ++i) setRow(bonuses_, i, rows[i]);
  chart_.render(model_.bonuses());
}

void HistoryWindow::exportCsv(const design::CsvFile& file) {
  const std::string path = askCsvPath(hwnd(), narrow(file.suggested.wstring()));
  if (path.empty()) return;
  try {
    writeFileAtomically(pathOf(path), file.contents);
  } catch (const FileError& e) {
    showMessage(hwnd(), translate("Window", "The CSV file cannot be saved."),
                translated(saidOf(e)));
  }
}

std::optional<LRESULT> HistoryWindow::handle(UINT message, WPARAM w, LPARAM l) {
  if (const auto dragged = split_.handle(hwnd(), message, w, l)) return dragged;
  switch (message) {
    case WM_TIMER:
      if (w == kLiveTimer) showPicked();
      return 0;
    case WM_CTLCOLORSTATIC:  // the reason a play cannot be read, as the notice line says things
      if (reinterpret_cast<HWND>(l) != problem_) return std::nullopt;
      SetTextColor(reinterpret_cast<HDC>(w), colour(design::kNoticeText));
      SetBkColor(reinterpret_cast<HDC>(w), colour(design::kNoticeBackground));
      return reinterpret_cast<LRESULT>(problemBrush_.get());
    case WM_SHOWWINDOW:
      if (!w) KillTimer(hwnd(), kLiveTimer);
      return std::nullopt;
    case WM_COMMAND:
      if (LOWORD(w) == kExportBonuses) exportCsv(model_.bonusCsv());
      if (LOWORD(w) == kExportSummaries) exportCsv(model_.summaryCsv());
      return 0;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(l);
      if (header.hwndFrom == plays_.hwnd() && header.code == LVN_ITEMCHANGED) {
        const auto& change = *reinterpret_cast<const NMLISTVIEW*>(l);
        if (change.uNewState & LVIS_SELECTED) showPicked();
        return 0;
      }
      if (const auto drawn = plays_.notify(header)) return drawn;
      return bonuses_.notify(header);
    }
    default:
      return std::nullopt;
  }
}

}  // namespace tallix::win32
