#include "history_window.h"

#include <algorithm>

#include "base/files.h"
#include "dialogs.h"
#include "language.h"
#include "records/csv_export.h"

namespace tallix::win32 {

namespace {

constexpr UINT_PTR kLiveTimer = 1;
constexpr UINT kLiveMs = 500;     // the current play is redrawn this often while shown
constexpr SIZE kSize{1000, 680};  // at most: never past the screen's free area
enum Id : int { kPlays = 1, kBonuses, kExportBonuses, kExportSummaries };
constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);

std::vector<std::wstring> playColumns() {
  return {translate("Window", "Play"),
          L"Total",
          L"BIG",
          L"REG",
          translate("Window", "BIG odds"),
          translate("Window", "REG odds"),
          translate("Window", "Payout"),
          translate("Window", "Difference"),
          translate("Window", "Max run-up")};
}

std::vector<std::wstring> bonusColumns() {
  return {L"No.",
          translate("Window", "Kind"),
          L"Total",
          translate("Window", "Run-up"),
          translate("Window", "Coins"),
          translate("Window", "Start"),
          translate("Window", "End")};
}

std::vector<std::wstring> summaryCells(const PlaySummary& s) {
  const auto probability = [](const std::optional<std::int64_t>& n) {
    return n ? L"1/" + std::to_wstring(*n) : std::wstring(L"1/-");
  };
  return {std::to_wstring(s.games),      std::to_wstring(s.big),         std::to_wstring(s.reg),
          probability(s.gamesPerBig),    probability(s.gamesPerReg),     widen(s.payoutRate),
          std::to_wstring(s.difference), std::to_wstring(s.longestRunUp)};
}

}  // namespace

HistoryWindow::HistoryWindow(HWND owner, const Counter& counter, std::filesystem::path pastPlays)
    : ToolWindow(owner, translate("Window", "Tallix bonus history"), kSize),
      counter_(counter),
      pastPlays_(std::move(pastPlays)) {
  plays_.create(hwnd(), kPlays, playColumns());
  problem_ = control(L"STATIC", L"", SS_LEFT | SS_NOPREFIX);
  bonuses_.create(hwnd(), kBonuses, bonusColumns());
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
  // The list of plays above the play picked, a third of the height; the bonuses beside their
  // chart; the export buttons beneath.
  const int gap = scale()(8), button = scale()(26);
  const int width = client.right - 2 * gap;
  const int bottom = client.bottom - gap - button;
  const int playsHeight = (bottom - gap) / 3;
  MoveWindow(plays_.hwnd(), gap, gap, width, playsHeight, TRUE);
  int top = gap + playsHeight + gap;
  const bool problem = IsWindowVisible(problem_);
  MoveWindow(problem_, gap, top, width, problem ? scale()(40) : 0, TRUE);
  if (problem) top += scale()(40) + gap;
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

void HistoryWindow::refresh() {
  past_.clear();
  try {
    past_ = listPastPlays(pastPlays_);
  } catch (const FileError& e) {
    showMessage(hwnd(), translate("Window", "The past plays cannot be listed."),
                translated(saidOf(e)));
  }
  const int picked = std::max(plays_.selected(), 0);
  plays_.setRowCount(static_cast<int>(past_.size()) + 1);
  plays_.setRow(0, {translate("Window", "Current play")}, colour(design::kLightYellow));
  for (std::size_t i = 0; i < past_.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    if (past_[i].summary) {
      plays_.setRow(row, {widen(past_[i].date)}, kWhite);
      showSummary(row, *past_[i].summary);
    } else {
      std::vector<std::wstring> cells(9);
      cells[0] = widen(past_[i].date);
      cells[1] = translate("Window", "Unreadable");
      plays_.setRow(row, cells, colour(design::kOrange));
    }
  }
  plays_.select(std::min(picked, plays_.rowCount() - 1));
  plays_.spread(true);
  shown_.reset();
  showPicked();
}

void HistoryWindow::showPicked() {
  showSummary(0, counter_.summary());
  // The bonuses are drawn again only for another play, or when the current one's change.
  const int row = std::max(plays_.selected(), 0);
  const std::pair shown{row, row == 0 ? counter_.bonuses().revision() : 0};
  if (shown_ == shown) return;
  shown_ = shown;
  // A past play's bonuses are read when it is picked; a file that cannot be read says why.
  pickedBonuses_.clear();
  std::wstring why;
  if (row > 0) {
    try {
      pickedBonuses_ = readPlay(past_[static_cast<std::size_t>(row - 1)].path).bonuses;
    } catch (const std::runtime_error& e) {  // RecordError or FileError
      why = translated(saidOf(e));
    }
  }
  const bool problem = !why.empty();
  SetWindowTextW(problem_, why.c_str());
  if (problem != static_cast<bool>(IsWindowVisible(problem_))) {
    ShowWindow(problem_, problem ? SW_SHOWNA : SW_HIDE);
    RECT client;
    GetClientRect(hwnd(), &client);
    layout(client);
  }
  showBonuses(row == 0 ? counter_.bonuses().all() : pickedBonuses_);
}

void HistoryWindow::showSummary(int row, const PlaySummary& summary) {
  const std::vector<std::wstring> cells = summaryCells(summary);
  for (std::size_t c = 0; c < cells.size(); ++c) {
    plays_.setCell(row, static_cast<int>(c) + 1, cells[c]);
  }
}

void HistoryWindow::showBonuses(const std::vector<Bonus>& bonuses) {
  bonuses_.setRowCount(static_cast<int>(bonuses.size()));
  for (std::size_t i = 0; i < bonuses.size(); ++i) {
    const Bonus& b = bonuses[i];
    const bool big = b.kind == BonusKind::BIG;
    bonuses_.setRow(static_cast<int>(i),
                    {std::to_wstring(i + 1), big ? L"BIG" : L"REG", std::to_wstring(b.game),
                     std::to_wstring(b.run_up), std::to_wstring(b.coins),
                     widen(timeOfDayText(b.start)), widen(timeOfDayText(b.end))},
                    colour(big ? kBigColour : kRegColour));
  }
  chart_.render(bonuses);
}

void HistoryWindow::exportBonuses() {
  const int row = std::max(plays_.selected(), 0);
  if (row == 0) return exportCsv("bonuses_current.csv", bonusCsv(counter_.bonuses().all()));
  std::string name = past_[static_cast<std::size_t>(row - 1)].date;
  std::erase(name, ':');
  std::replace(name.begin(), name.end(), ' ', '_');
  exportCsv("bonuses_" + name + ".csv", bonusCsv(pickedBonuses_));
}

void HistoryWindow::exportSummaries() {
  std::vector<SummaryRow> rows{{"current", counter_.summary()}};
  for (const PastPlay& play : past_) {
    if (play.summary) rows.push_back({play.date, *play.summary});
  }
  exportCsv("summaries.csv", summaryCsv(rows));
}

void HistoryWindow::exportCsv(const std::string& name, const std::string& csv) {
  // Suggested in the folder of the play's record, beside the past plays.
  const std::string path = askCsvPath(hwnd(), (pastPlays_.parent_path() / pathOf(name)).string());
  if (path.empty()) return;
  try {
    writeFileAtomically(pathOf(path), csv);
  } catch (const FileError& e) {
    showMessage(hwnd(), translate("Window", "The CSV file cannot be saved."),
                translated(saidOf(e)));
  }
}

std::optional<LRESULT> HistoryWindow::handle(UINT message, WPARAM w, LPARAM l) {
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
      if (LOWORD(w) == kExportBonuses) exportBonuses();
      if (LOWORD(w) == kExportSummaries) exportSummaries();
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
