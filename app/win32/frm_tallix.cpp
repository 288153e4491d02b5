#include "frm_tallix.h"

#include <windowsx.h>
// After windows.h:
#include <commctrl.h>

#include "design/commands.h"
#include "history_window.h"
#include "language.h"
#include "make_window.h"
#include "one_window.h"
#include "pin_monitor.h"
#include "port/serial_link.h"
#include "process.h"
#include "setting_estimate_window.h"

namespace tallix::win32 {

namespace {

constexpr UINT kDisplayTimer = 1;
constexpr UINT kDisplayInterval = 16;  // ms, about the display's rate
constexpr UINT kPublishTimer = 2;      // hands the figures to the live view
constexpr UINT kShowSettingsMessages = WM_APP + 1;
// The notice line's close button; the commands' ids are the table's (design::CommandId).
constexpr int kDismiss = 10;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

}  // namespace

FrmTallix::FrmTallix(const WindowStart& start)
    : serve_(start.serve),
      session_(start.session(dialogs_), *this),
      record_(session_.recordPath().string()),
      simulatedMachine_(start.simulatedMachine) {
  // The title names the record that the play is kept in.
  const std::string record = session_.recordName();
  const std::wstring title =
      start.machine != nullptr
          ? fill(translate("Window", "Tallix — %1 (simulated machine)"), {record})
          : L"Tallix — " + widen(record);
  hwnd_ = makeWindow({kMainWindowClass, nullptr}, title.c_str(), kStyle, {0, 0}, nullptr, this,
                     windowProc);
  dialogs_.attachTo(hwnd_);

  texts_.create(hwnd_);
  notices_.create(hwnd_, kDismiss);
  // What each button does, in a line, when the pointer rests on it.
  tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0,
                          0, 0, hwnd_, nullptr, nullptr, nullptr);
  std::vector<ACCEL> keys;
  for (const design::Command& c : design::kCommands) {
    const auto id = static_cast<WORD>(c.id);
    if (c.key != 0)
      keys.push_back({static_cast<BYTE>(FCONTROL | FVIRTKEY), static_cast<WORD>(c.key), id});
    if (c.button == nullptr) continue;
    HWND button =
        CreateWindowExW(0, L"BUTTON", widen(c.button->caption).c_str(),
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0, hwnd_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    buttons_.push_back({button, c.button});
    std::wstring tip = translated(c.button->tip());
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd_;
    tool.uId = reinterpret_cast<UINT_PTR>(button);
    tool.lpszText = tip.data();
    SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  shortcuts_ = CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));
  applyScale(static_cast<int>(GetDpiForWindow(hwnd_)));
  SetTimer(hwnd_, kDisplayTimer, kDisplayInterval, nullptr);
  render();  // the design state
}

FrmTallix::~FrmTallix() {
  Form_Unload();  // the session's last words need this window still whole
  historyWindow_.reset();
  pinMonitor_.reset();
  settingEstimate_.reset();
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
  DestroyAcceleratorTable(shortcuts_);
}

bool FrmTallix::Form_Load() {
  const bool runs = session_.start();
  if (runs && live_.start(session_.counter(), serve_)) {
    SetTimer(hwnd_, kPublishTimer, static_cast<UINT>(LiveServer::kPublishInterval.count()),
             nullptr);
  }
  render();
  return runs;
}

void FrmTallix::Form_Unload(Session::Ending ending) {
  if (std::exchange(unloaded_, true)) return;
  KillTimer(hwnd_, kDisplayTimer);
  KillTimer(hwnd_, kPublishTimer);
  live_.stop();
  session_.stop(ending);
}

void FrmTallix::follow(const CommandOutcome& outcome) {
  render();
  if (outcome.pastPlaysChanged() && historyWindow_ && IsWindowVisible(historyWindow_->hwnd())) {
    historyWindow_->refresh();
  }
}

void FrmTallix::render() {
  session_.pump();
  const Panel& panel = session_.counter().panel();
  const Panel::Revisions& now = panel.revisions();
  if (!shown_ || shown_->texts != now.texts) texts_.render(panel, hwnd_, scale_);
  if (!shown_ || shown_->digits != now.digits) digits_.render(panel, hwnd_, scale_);
  if (!shown_ || shown_->history != now.history) history_.render(panel, hwnd_, scale_);
  shown_ = now;
  chart_.render(panel.chart(), session_.counter().settings().payout, hwnd_);
  notices_.render(hwnd_);
}

void FrmTallix::show() {
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
  if (!session_.settingsMessages().empty()) PostMessageW(hwnd_, kShowSettingsMessages, 0, 0);
}

bool FrmTallix::takeKeys(MSG& message) {
  for (HWND tool : {historyWindow_ ? historyWindow_->hwnd() : nullptr,
                    pinMonitor_ ? pinMonitor_->hwnd() : nullptr,
                    settingEstimate_ ? settingEstimate_->hwnd() : nullptr}) {
    if (tool != nullptr && GetAncestor(message.hwnd, GA_ROOT) == tool &&
        IsDialogMessageW(tool, &message)) {
      return true;
    }
  }
  if (message.hwnd != hwnd_ && GetAncestor(message.hwnd, GA_ROOT) != hwnd_) return false;
  return TranslateAcceleratorW(hwnd_, shortcuts_, &message) || IsDialogMessageW(hwnd_, &message);
}

void FrmTallix::applyScale(int dpi) {
  scale_ = Scale(dpi);
  texts_.layout(scale_);
  history_.layout(scale_);
  chart_.layout(hwnd_, scale_);
  const int noticeHeight = notices_.layout(scale_);
  buttonFont_ = buttonFont(scale_);
  // The tooltips in the same face: it draws both languages.
  SendMessageW(tips_, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_.get()), FALSE);
  for (const auto& [button, design] : buttons_) {
    const RECT place = scale_.rect(design->place);
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_.get()), FALSE);
    SetWindowPos(button, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // The client area as designed, with the notice line beneath it.
  RECT frame{0, 0, scale_(design::kClientWidth), scale_(design::kClientHeight) + noticeHeight};
  AdjustWindowRectExForDpi(&frame, kStyle, FALSE, 0, static_cast<UINT>(dpi));
  SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void FrmTallix::paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  if (!IsRectEmpty(&ps.rcPaint)) {
    const Buffered buffer(dc, ps.rcPaint);
    const RECT panel = scale_.rect(0, 0, design::kClientWidth, design::kClientHeight);
    FillRect(buffer.dc(), &panel, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    chart_.paint(buffer.dc(), ps.rcPaint);
    history_.paint(buffer.dc(), scale_);
    digits_.paint(buffer.dc(), ps.rcPaint, scale_);
    texts_.paint(buffer.dc(), scale_);  // the small-win rows stand over the graph's upper edge
    notices_.paint(buffer.dc());
  }
  EndPaint(hwnd_, &ps);
}

void FrmTallix::contextMenu(POINT at) {
  if (at.x == -1 && at.y == -1) {  // from the keyboard: at the window's top left
    at = {0, 0};
    ClientToScreen(hwnd_, &at);
  }
  HMENU menu = CreatePopupMenu();
  for (const design::Command& c : design::kCommands) {
    if (c.menu == design::MenuPlace::none) continue;
    if (c.menu == design::MenuPlace::afterSeparator) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    const std::string key = design::keyText(c);
    const std::wstring entry =
        translate("Window", c.caption) + (key.empty() ? L"" : L"\t" + widen(key));
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(c.id), entry.c_str());
  }
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
  DestroyMenu(menu);
}

void FrmTallix::openHistory() {
  if (!historyWindow_) {
    historyWindow_ =
        std::make_unique<HistoryWindow>(hwnd_, session_.counter(), session_.pastPlaysFolder());
  }
  historyWindow_->show(hwnd_);
}

void FrmTallix::openPinMonitor() {
  if (!pinMonitor_) pinMonitor_ = std::make_unique<PinMonitor>(hwnd_, session_.input());
  pinMonitor_->show();
}

void FrmTallix::openSettingEstimate() {
  if (!settingEstimate_) {
    settingEstimate_ = std::make_unique<SettingEstimateWindow>(hwnd_, session_.counter());
  }
  settingEstimate_->show();
}

void FrmTallix::startSimulatedMachine() {
  // The running session goes on; the simulated machine counts in a window of its own.
  if (!startThisProgram(simulatedMachine_)) {
    notice(Say::tr("Tallix (simulated machine) could not be started."), Notice::passing,
           Notices::Topic::none);
  }
}

void FrmTallix::showSettingsMessages() {
  // Once the window is up: one message listing every setting that could not be used.
  std::wstring lines;
  for (const Said& m : session_.settingsMessages()) {
    lines += (lines.empty() ? L"" : L"\n") + translated(m);
  }
  showMessage(hwnd_, translate("Window", "Some settings in tallix.ini could not be used:"), lines);
}

void FrmTallix::message(const Said& text, const Said& detail) {
  showMessage(hwnd_, translated(text), translated(detail));
}

SessionView::Answer FrmTallix::ask(const Said& text, const Said& yes, const Said& no) {
  return win32::ask(hwnd_, translated(text), translated(yes), translated(no));
}

void FrmTallix::notice(const Said& text, Notice kind, Notices::Topic topic) {
  notices_.add(text, kind == Notice::passing, topic);
  notices_.render(hwnd_);
}

void FrmTallix::command(int id) {
  if (id == kDismiss) {
    notices_.dismiss();
    return notices_.render(hwnd_);
  }
  const auto command = static_cast<design::CommandId>(id);
  if (const auto outcome = design::runOnSession(session_, command)) return follow(*outcome);
  switch (command) {
    case design::CommandId::history:
      return openHistory();
    case design::CommandId::pinMonitor:
      return openPinMonitor();
    case design::CommandId::settingEstimate:
      return openSettingEstimate();
    case design::CommandId::simulatedMachine:
      return startSimulatedMachine();
    default:  // the session's, run above; Enter and Esc, which a dialog's keys send, are none
      return;
  }
}

LRESULT CALLBACK FrmTallix::windowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  auto* frm = reinterpret_cast<FrmTallix*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return frm != nullptr ? frm->handle(message, w, l) : DefWindowProcW(window, message, w, l);
}

LRESULT FrmTallix::handle(UINT message, WPARAM w, LPARAM l) {
  if (const auto answer = answerForward(hwnd_, record_, message, l)) return *answer;
  switch (message) {
    case WM_PAINT:
      paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the whole client area is painted
    case WM_TIMER:
      if (w == kDisplayTimer) render();
      if (w == kPublishTimer) live_.publish(session_.counter());
      return 0;
    case WM_COMMAND:
      command(LOWORD(w));
      return 0;
    case WM_CTLCOLORSTATIC: {
      const auto control = reinterpret_cast<HWND>(l);
      const auto dc = reinterpret_cast<HDC>(w);
      if (HBRUSH brush = texts_.colours(control, dc)) return reinterpret_cast<LRESULT>(brush);
      if (HBRUSH brush = notices_.colours(control, dc)) return reinterpret_cast<LRESULT>(brush);
      break;
    }
    case WM_DRAWITEM:
      return notices_.draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(l));
    case WM_CONTEXTMENU:
      contextMenu({GET_X_LPARAM(l), GET_Y_LPARAM(l)});
      return 0;
    case kShowSettingsMessages:
      showSettingsMessages();
      return 0;
    case WM_DPICHANGED: {
      applyScale(HIWORD(w));
      const RECT& suggested = *reinterpret_cast<const RECT*>(l);
      SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_CLOSE:  // closing is never refused
      Form_Unload();
      DestroyWindow(hwnd_);
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:  // log-off or shut-down: the process ends when this returns
      if (w) Form_Unload(Session::Ending::fromOutside);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, w, l);
}

}  // namespace tallix::win32
