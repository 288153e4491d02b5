#include "pin_monitor.h"

#include <QAction>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "design.h"
#include "language.h"
#include "port/watched_input.h"
#include "session/session.h"

namespace tallix::window {

namespace {

constexpr int kRefreshMs = 100;

// The lines in the player's language, in the order of their keys in tallix.ini (kLineKeys),
// each shown with its key: "coin in (coin_in)".
constexpr std::array<const char*, kLineKeys.size()> kLineCaptions{
    QT_TRANSLATE_NOOP("Window", "coin in"), QT_TRANSLATE_NOOP("Window", "coin out"), "REG", "BIG",
    QT_TRANSLATE_NOOP("Window", "5-pin line")};

QString linesOf(const PinMap& map, int input) {
  QStringList lines;
  for (std::size_t line = 0; line < kLineKeys.size(); ++line) {
    if (map.linesOf(input) >> line & 1) {
      lines << QStringLiteral("%1 (%2)").arg(
          QCoreApplication::translate("Window", kLineCaptions[line]), kLineKeys[line]);
    }
  }
  return lines.join(QStringLiteral(", "));
}

}  // namespace

PinMonitor::PinMonitor(const WatchedInput* input, QWidget* parent)
    : QWidget(parent, Qt::Window),
      input_(input),
      waiting_(new QLabel(this)),
      table_(new QTableWidget(this)) {
  setObjectName("pinMonitor");
  setWindowTitle(QCoreApplication::translate("Window", "Pin monitor"));
  setStyleSheet(kDarkStyle);
  closeOnEscape(this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(waiting_);
  waiting_->setWordWrap(true);
  if (input_ == nullptr) {
    waiting_->setText(
        QCoreApplication::translate("Window",
                                    "The pin monitor shows the inputs of the port or of the "
                                    "source named in the [input] section of tallix.ini "
                                    "(source=%1); none is read now.")
            .arg(translated(watchableKindNames())));
    table_->hide();
    return;
  }
  waiting_->setText(QCoreApplication::translate(
      "Window",
      "Nothing has been read from the input yet. When it cannot be read, the notice line "
      "beneath the panel says why; the input is tried again every second."));
  layout->addWidget(table_);
  table_->setColumnCount(5);
  table_->setHorizontalHeaderLabels({QCoreApplication::translate("Window", "input"),
                                     QCoreApplication::translate("Window", "level"),
                                     QCoreApplication::translate("Window", "edges"),
                                     QCoreApplication::translate("Window", "last pulse"),
                                     QCoreApplication::translate("Window", "line")});
  table_->setRowCount(input_->map().shownInputs());
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  for (int k = 0; k < table_->rowCount(); ++k) {
    for (int c = 0; c < table_->columnCount(); ++c) table_->setItem(k, c, new QTableWidgetItem);
    table_->item(k, 0)->setText(QString::number(k));
    table_->item(k, 4)->setText(linesOf(input_->map(), k));
  }
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->resizeColumnsToContents();
  resize(560, 560);
  connect(&timer_, &QTimer::timeout, this, &PinMonitor::refresh);
  timer_.start(kRefreshMs);
  refresh();
}

void PinMonitor::refresh() {
  const PinWatch& watch = input_->watch();
  waiting_->setVisible(!watch.seen());
  if (!isVisible() || !watch.seen()) return;
  for (int k = 0; k < table_->rowCount(); ++k) {
    const auto pulse = watch.lastPulseMs(k);
    table_->item(k, 1)->setText(watch.high(k) ? QCoreApplication::translate("Window", "high")
                                              : QCoreApplication::translate("Window", "low"));
    table_->item(k, 2)->setText(QString::number(watch.edges(k)));
    table_->item(k, 3)->setText(pulse ? QString::number(*pulse) + " ms" : QString());
  }
}

void openPinMonitor(QWidget& panel, const Session& session) {
  auto* monitor = panel.findChild<PinMonitor*>("pinMonitor");
  if (monitor == nullptr) monitor = new PinMonitor(session.input(), &panel);
  monitor->show();
  monitor->raise();
}

}  // namespace tallix::window
