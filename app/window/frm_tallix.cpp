#include "frm_tallix.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QProcess>
#include <QPushButton>
#include <utility>

#include "base/say.h"
#include "coin_chart.h"
#include "design/commands.h"
#include "dialogs.h"
#include "full_screen.h"
#include "history.h"
#include "history_window.h"
#include "language.h"
#include "notice_bar.h"
#include "pin_monitor.h"
#include "port/serial_link.h"
#include "qt_design.h"
#include "setting_estimate_window.h"

namespace tallix::window {

namespace {

constexpr int kDisplayInterval = 16;  // ms, about the display's rate

QPushButton* makeButton(QWidget* parent, const design::Button& design) {
  auto* button = new QPushButton(QString::fromUtf8(design.caption), parent);
  button->setObjectName(design.name);
  button->setGeometry(toPixels(design.place));
  button->setToolTip(translated(design.tip()));
  return button;
}

}  // namespace

FrmTallix::FrmTallix(const Environment& env)
    : messages_(env.messages),
      serve_(env.start.serve),
      session_(env.start.session(env.dialog), *this),
      texts_(this),
      digits_(this, pictures_),
      history_(new HistoryFrame(this)),
      chart_(new CoinChart(this)),
      notices_(new NoticeBar(this)) {
  setObjectName("frmTallix");
  // The title names the record that the play is kept in.
  const QString record = QString::fromStdString(session_.recordName());
  setWindowTitle(
      env.start.machine
          ? QCoreApplication::translate("Window", "Tallix — %1 (simulated machine)").arg(record)
          : "Tallix — " + record);
  // The notice line stands beneath the panel.
  notices_->setGeometry(0, design::kClientHeight, design::kClientWidth, notices_->height());
  setFixedSize(design::kClientWidth, design::kClientHeight + notices_->height());
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);
  setAutoFillBackground(true);
  chart_->lower();  // the small-win rows stand over the chart's upper edge

  addCommands();
  for (const std::string& a : env.start.simulatedMachine)
    simulatedMachine_ << QString::fromStdString(a);
  startProgram_ = env.startProgram ? env.startProgram : [](const QStringList& args) {
    return QProcess::startDetached(QCoreApplication::applicationFilePath(), args);
  };

  publisher_.setInterval(LiveServer::kPublishInterval);
  connect(&publisher_, &QTimer::timeout, this, [this] { live_.publish(session_.counter()); });
  display_.setInterval(kDisplayInterval);
  connect(&display_, &QTimer::timeout, this, &FrmTallix::render);
  display_.start();

  render();  // the design state
}

FrmTallix::~FrmTallix() = default;

bool FrmTallix::Form_Load() {
  const bool runs = session_.start();
  if (runs && live_.start(session_.counter(), serve_)) publisher_.start();
  render();
  return runs;
}

void FrmTallix::addCommands() {
  for (const design::Command& c : design::kCommands) {
    if (c.button != nullptr) {
      auto* button = makeButton(this, *c.button);
      connect(button, &QPushButton::clicked, this, [this, id = c.id] { command(id); });
      continue;
    }
    if (c.menu == design::MenuPlace::afterSeparator) {
      auto* apart = new QAction(this);
      apart->setSeparator(true);
      addAction(apart);
    }
    auto* action = new QAction(QCoreApplication::translate("Window", c.caption), this);
    action->setObjectName(c.name);
    // The key works wherever the focus is in the panel.
    action->setShortcut(QKeySequence(QString::fromStdString(design::keyText(c))));
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this, id = c.id] { command(id); });
    addAction(action);
  }
  setContextMenuPolicy(Qt::ActionsContextMenu);
}

void FrmTallix::command(design::CommandId id) {
  if (const auto outcome = design::runOnSession(session_, id)) return follow(*outcome);
  switch (id) {
    case design::CommandId::history:
      return openHistoryWindow(this, session_.counter(), session_.pastPlaysFolder(), messages_);
    case design::CommandId::pinMonitor:
      return openPinMonitor(*this, session_);
    case design::CommandId::settingEstimate:
      return openSettingEstimate(*this, session_.counter());
    case design::CommandId::simulatedMachine:
      // The running session goes on; the simulated machine counts in a window of its own.
      if (!startProgram_(simulatedMachine_)) {
        notice(Say::tr("Tallix (simulated machine) could not be started."), Notice::passing,
               Notices::Topic::none);
      }
      return;
    default:  // the session's, run above
      return;
  }
}

void FrmTallix::follow(const CommandOutcome& outcome) {
  render();
  if (!outcome.pastPlaysChanged()) return;
  if (auto* history = findChild<HistoryWindow*>("frmHistory"); history && history->isVisible()) {
    history->refresh();
  }
}

void FrmTallix::Form_Unload(Session::Ending ending) {
  if (std::exchange(unloading_, true)) return;
  display_.stop();
  publisher_.stop();
  live_.stop();
  session_.stop(ending);
}

void FrmTallix::render() {
  session_.pump();
  const Panel& panel = session_.counter().panel();
  const Panel::Revisions& now = panel.revisions();
  if (!shown_ || shown_->texts != now.texts) texts_.render(panel);
  if (!shown_ || shown_->digits != now.digits) digits_.render(panel);
  if (!shown_ || shown_->history != now.history) history_->render(panel);
  shown_ = now;
  chart_->render(panel.chart(), session_.counter().settings().payout);
  notices_->render();
}

void FrmTallix::message(const Said& text, const Said& detail) {
  messages_.show(shownIn(this), translated(text), translated(detail));
}

SessionView::Answer FrmTallix::ask(const Said& text, const Said& yes, const Said& no) {
  return messages_.ask(shownIn(this), translated(text), translated(yes), translated(no));
}

void FrmTallix::notice(const Said& text, Notice kind, Notices::Topic topic) {
  notices_->add(text, kind == Notice::passing, topic);
}

void FrmTallix::closeEvent(QCloseEvent* event) {
  Form_Unload();  // closing is never refused
  event->accept();
}

void FrmTallix::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (settingsShown_ || session_.settingsMessages().empty()) return;
  settingsShown_ = true;
  // Once the window is up: one message listing every setting that could not be used.
  QTimer::singleShot(0, this, [this] {
    QStringList lines;
    for (const Said& m : session_.settingsMessages()) lines << translated(m);
    messages_.show(
        shownIn(this),
        QCoreApplication::translate("Window", "Some settings in tallix.ini could not be used:"),
        lines.join('\n'));
  });
}

}  // namespace tallix::window
