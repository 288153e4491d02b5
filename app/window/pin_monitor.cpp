#include "pin_monitor.h"

#include <QAction>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "design/pin_monitor_rows.h"
#include "full_screen.h"
#include "language.h"
#include "qt_design.h"
#include "session/session.h"

namespace tallix::window {

namespace {

constexpr int kRefreshMs = 100;

}  // namespace

PinMonitor::PinMonitor(const WatchedInput* input, QWidget* parent)
    : QWidget(parent, kBesidePanel),
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
  waiting_->setText(translated(design::pinMonitorNotice(input_)));
  if (input_ == nullptr) {
    table_->hide();
    return;
  }
  layout->addWidget(table_);
  QStringList captions;
  for (const Said& caption : design::pinMonitorCaptions()) captions << translated(caption);
  table_->setColumnCount(static_cast<int>(design::kPinColumns));
  table_->setHorizontalHeaderLabels(captions);
  table_->setRowCount(static_cast<int>(design::pinMonitorRows(*input_).size()));
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  for (int k = 0; k < table_->rowCount(); ++k) {
    for (int c = 0; c < table_->columnCount(); ++c) table_->setItem(k, c, new QTableWidgetItem);
  }
  table_->horizontalHeader()->setStretchLastSection(true);
  showRows();
  table_->resizeColumnsToContents();
  resize(560, 560);
  connect(&timer_, &QTimer::timeout, this, &PinMonitor::refresh);
  timer_.start(kRefreshMs);
  refresh();
}

void PinMonitor::refresh() {
  const Said notice = design::pinMonitorNotice(input_);
  waiting_->setVisible(!notice.empty());
  if (isVisible() && notice.empty()) showRows();
}

void PinMonitor::showRows() {
  const std::vector<design::PinRow> rows = design::pinMonitorRows(*input_);
  for (int k = 0; k < table_->rowCount(); ++k) {
    for (int c = 0; c < table_->columnCount(); ++c) {
      table_->item(k, c)->setText(
          translated(rows[static_cast<std::size_t>(k)][static_cast<std::size_t>(c)]));
    }
  }
}

void openPinMonitor(QWidget& panel, const Session& session) {
  auto* monitor = panel.findChild<PinMonitor*>("pinMonitor");
  if (monitor == nullptr) monitor = new PinMonitor(session.input(), &panel);
  showOverPanel(monitor, &panel);
}

}  // namespace tallix::window
