#include "frm_tallix.h"

#ifdef __linux__
#include <sys/prctl.h>
#endif

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <filesystem>
#include <utility>

#include "base/settings.h"
#include "coin_chart.h"
#include "design.h"
#include "dialogs.h"
#include "history.h"
#include "port/port.h"
#include "records/commands.h"
#include "records/record.h"

namespace tallix::window {

namespace {

constexpr int kTimer1Interval = 1;           // ms; the platform delivers what it can
constexpr int kTimer2Interval = 2000;        // ms, the game guard
constexpr int kRepaintInterval = 16;         // ms, about the display's rate
constexpr int kAutosaveInterval = 60'000;    // ms
constexpr std::int16_t kControlByte = 0xEC;  // bit 5: the data lines become inputs

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption, Twips place) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setObjectName(name);
  button->setGeometry(toPixels(place));
  return button;
}

// Linux lets a sleeping thread wake up to 50 us late to save power, which on a 1 ms timer loses
// about one tick in twelve; the window's thread asks to be woken on time.
void wakeOnTime() {
#ifdef __linux__
  prctl(PR_SET_TIMERSLACK, 1UL);
#endif
}

QString programDir(const std::string& appDir) {
  return QString::fromStdString(appDir).chopped(1);  // without the trailing separator
}

}  // namespace

FrmTallix::FrmTallix(const Environment& env)
    : env_(env),
      texts_(this),
      digits_(this, pictures_),
      history_(new HistoryFrame(this)),
      chart_(new CoinChart(this)),
      notice_(new QLabel(this)) {
  setObjectName("frmTallix");
  setWindowTitle("Tallix");
  setFixedSize(kClientWidth, kClientHeight);
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);
  setAutoFillBackground(true);
  chart_->lower();  // the small-win rows stand over the chart's upper edge

  auto* clear = makeButton(this, "Command3", "クリア", {8040, 180, 675, 375});
  auto* load = makeButton(this, "Command4", "読込み", {10260, 180, 795, 375});
  auto* save = makeButton(this, "Command5", "保存", {11100, 180, 795, 375});
  connect(clear, &QPushButton::clicked, this, &FrmTallix::Command3_Click);
  connect(load, &QPushButton::clicked, this, &FrmTallix::Command4_Click);
  connect(save, &QPushButton::clicked, this, &FrmTallix::Command5_Click);

  // Notices about how the window runs (no polling, a record kept aside) stand over the
  // lower edge of the chart, where they do not hide a figure.
  notice_->setObjectName("notice");
  notice_->setWordWrap(true);
  notice_->setStyleSheet("QLabel { background: #3a1c00; color: #ffc060; padding: 0 6px; }");
  notice_->hide();

  timer1_.setInterval(kTimer1Interval);
  timer1_.setTimerType(Qt::PreciseTimer);
  connect(&timer1_, &QTimer::timeout, this, &FrmTallix::Timer1_Timer);
  timer2_.setInterval(kTimer2Interval);
  // A coarse timer may fire up to 5 % early, which would end the game guard too soon.
  timer2_.setTimerType(Qt::PreciseTimer);
  timer2_.setSingleShot(true);
  connect(&timer2_, &QTimer::timeout, this, &FrmTallix::Timer2_Timer);
  repaint_.setInterval(kRepaintInterval);
  connect(&repaint_, &QTimer::timeout, this, &FrmTallix::render);
  repaint_.start();
  autosave_.setInterval(kAutosaveInterval);
  connect(&autosave_, &QTimer::timeout, this, &FrmTallix::Autosave);

  render();  // the design state
}

FrmTallix::~FrmTallix() = default;

bool FrmTallix::Form_Load() {
  // The port library finds its files through the current directory.
  std::error_code ignored;
  std::filesystem::current_path(env_.appDir, ignored);

  std::int32_t started = 0;
  try {
    started = env_.port.start();
  } catch (const std::exception& e) {  // the library or one of its functions is missing
    env_.messages.show(this, QString::fromStdString(e.what()));
    exitStatus_ = 1;
    return false;
  }
  portStarted_ = true;
  if (static_cast<std::int16_t>(started) & 1) {
    // Degraded: no settings, no port, no record; the stored hist.log is left as it is.
    saveOnClose_ = false;
    env_.messages.show(this, "KIRVO Init Error!!", QString::fromStdString(env_.port.lastError()));
    addNotice("No port access: not counting. hist.log is left as it is.");
    render();
    return true;
  }

  const SettingsLoad settings = loadSettings(env_.appDir + "tallix.ini");
  portNumber_ = static_cast<std::uint16_t>(settings.settings.portAddr);
  if (portNumber_ != 0) {
    try {
      env_.port.outB(static_cast<std::uint16_t>(portNumber_ + 2), kControlByte);
    } catch (const std::exception& e) {
      saveOnClose_ = false;  // nothing was loaded yet: hist.log keeps its play
      fail(QString::fromStdString(e.what()));
      return false;
    }
  } else if (!env_.simulated) {
    // Ports 0 and 2 belong to other hardware: never touch them.
    addNotice("The port address is not set (addr in tallix.ini): not polling.");
  }
  counter_.applySettings(settings.settings);
  for (const std::string& m : settings.messages) settingsMessages_ << QString::fromStdString(m);
  restorePlay();
  saved_ = std::pair(counter_.panel().revisions(), counter_.panel().chart().revision());
  if (portNumber_ != 0 || env_.simulated) {
    wakeOnTime();
    timer1_.start();
    autosave_.start();
  }
  render();
  return true;
}

void FrmTallix::restorePlay() {
  try {
    LoadRecord(counter_, recordPath());
  } catch (const std::exception& load) {
    // Keep the play that could not be read aside, so that no save overwrites it.
    const QString why = QString::fromStdString(load.what());
    try {
      keepAside(recordPath());
      const QString name = QString::fromStdString(recordName());
      addNotice(name + " could not be loaded (" + why + "); it was kept as " + name + ".bad.");
    } catch (const std::exception& aside) {
      saveOnClose_ = false;
      addNotice(QString::fromStdString(recordName()) + " could not be loaded (" + why +
                ") nor kept aside (" + QString::fromStdString(aside.what()) +
                "); it will not be saved over.");
    }
  }
}

void FrmTallix::Form_Unload() {
  if (closed_) return;
  closed_ = true;
  timer1_.stop();
  timer2_.stop();
  repaint_.stop();
  autosave_.stop();
  QStringList problems;
  if (portStarted_) {
    try {
      env_.port.stop();
    } catch (const std::exception& e) {
      problems << QString::fromStdString(e.what());
    }
  }
  if (saveOnClose_) {
    if (const auto failure = saveRecord()) problems << *failure;
  }
  if (!problems.isEmpty()) env_.messages.show(this, problems.join('\n'));
}

void FrmTallix::Autosave() {
  const Panel& panel = counter_.panel();
  if (!saveOnClose_ || closed_ ||
      saved_ == std::pair(panel.revisions(), panel.chart().revision())) {
    return;
  }
  if (const auto failure = saveRecord()) {
    autosave_.stop();  // one notice; the close tries again and says so
    addNotice(*failure);
  }
}

std::optional<QString> FrmTallix::saveRecord() {
  try {
    SaveRecord(counter_, recordPath());
  } catch (const std::exception& e) {
    return "The play could not be saved: " + QString::fromStdString(e.what());
  }
  saved_ = std::pair(counter_.panel().revisions(), counter_.panel().chart().revision());
  return std::nullopt;
}

void FrmTallix::Timer1_Timer() {
  std::int16_t value = 0;
  try {
    value = env_.port.inpB(portNumber_);
  } catch (const std::exception& e) {
    fail(QString::fromStdString(e.what()));
    return;
  }
  counter_.Timer1_Timer(value);
  syncTimer2();
}

void FrmTallix::Timer2_Timer() {
  counter_.Timer2_Timer();
  syncTimer2();
}

void FrmTallix::syncTimer2() {
  if (counter_.timer2Enabled() && !timer2_.isActive()) {
    timer2_.start();
  } else if (!counter_.timer2Enabled() && timer2_.isActive()) {
    timer2_.stop();
  }
}

void FrmTallix::Command3_Click() {
  tallix::Command3_Click(counter_, env_.appDir, recordName());
  render();
}

void FrmTallix::Command4_Click() {
  const auto failure =
      tallix::Command4_Click(counter_, env_.dialog, programDir(env_.appDir).toStdString());
  render();
  if (failure) env_.messages.show(this, QString::fromStdString(*failure));
}

void FrmTallix::Command5_Click() {
  const auto failure =
      tallix::Command5_Click(counter_, env_.dialog, programDir(env_.appDir).toStdString());
  if (failure) env_.messages.show(this, QString::fromStdString(*failure));
}

void FrmTallix::render() {
  const Panel& panel = counter_.panel();
  const Panel::Revisions& now = panel.revisions();
  if (!shown_ || shown_->texts != now.texts) texts_.render(panel);
  if (!shown_ || shown_->digits != now.digits) digits_.render(panel);
  if (!shown_ || shown_->history != now.history) history_->render(panel);
  shown_ = now;
  if (shownChart_ != panel.chart().revision()) {
    chart_->render(panel.chart());
    shownChart_ = panel.chart().revision();
  }
}

void FrmTallix::addNotice(const QString& text) {
  notice_->setText(notice_->text().isEmpty() ? text : notice_->text() + '\n' + text);
  const int width = kClientWidth - 16;
  const int height = notice_->heightForWidth(width);
  notice_->setGeometry(8, kClientHeight - 4 - height, width, height);
  notice_->raise();
  notice_->show();
}

void FrmTallix::fail(const QString& message) {
  timer1_.stop();
  env_.messages.show(this, message);
  exitStatus_ = 1;
  Form_Unload();
  close();
}

void FrmTallix::closeEvent(QCloseEvent* event) {
  Form_Unload();  // closing is never refused
  event->accept();
}

void FrmTallix::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (settingsMessages_.isEmpty()) return;
  // Once the window is up: one message listing every setting that could not be used.
  QTimer::singleShot(0, this, [this] {
    const QStringList messages = std::exchange(settingsMessages_, {});
    env_.messages.show(this, "Some settings in tallix.ini could not be used:", messages.join('\n'));
  });
}

}  // namespace tallix::window
