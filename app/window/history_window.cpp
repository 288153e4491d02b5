#include "history_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "base/files.h"
#include "bonus_chart.h"
#include "dialogs.h"
#include "full_screen.h"
#include "language.h"
#include "qt_design.h"

namespace tallix::window {

namespace {

constexpr int kLiveInterval = 500;  // ms
constexpr QSize kSize(1000, 680);   // at most: never past the screen's free area

QStringList translatedAll(const std::vector<Said>& texts) {
  QStringList all;
  for (const Said& t : texts) all << translated(t);
  return all;
}

QTableWidget* makeTable(const char* name, const QStringList& columns) {
  auto* table = new QTableWidget(0, static_cast<int>(columns.size()));
  table->setObjectName(name);
  table->setHorizontalHeaderLabels(columns);
  table->verticalHeader()->hide();
  table->verticalHeader()->setDefaultSectionSize(20);
  // Each column as wide as its heading and its cells, in either language, so that none is cut;
  // the last takes the width that is left.
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table->horizontalHeader()->setStretchLastSection(true);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  return table;
}

// Sets a cell, centred, in a colour, unless it shows that text already.
void setCell(QTableWidget* table, int row, int column, const QString& text, QColor colour) {
  if (const QTableWidgetItem* item = table->item(row, column); item && item->text() == text) {
    return;
  }
  auto* item = new QTableWidgetItem(text);
  item->setForeground(colour);
  item->setTextAlignment(Qt::AlignCenter);
  table->setItem(row, column, item);
}

void setRow(QTableWidget* table, int row, const design::TableRow& shown) {
  for (std::size_t column = 0; column < shown.cells.size(); ++column) {
    setCell(table, row, static_cast<int>(column), translated(shown.cells[column]),
            toQColor(shown.colour));
  }
}

QString askWithDialog(QWidget* parent, const QString& suggested) {
  return QFileDialog::getSaveFileName(parent, {}, suggested, "*.csv");
}

}  // namespace

HistoryWindow::HistoryWindow(QWidget* parent, const Counter& counter,
                             std::filesystem::path pastPlays, Messages& messages, AskSavePath ask)
    : QWidget(parent, kBesidePanel),
      model_(counter, std::move(pastPlays)),
      messages_(messages),
      ask_(ask ? std::move(ask) : askWithDialog),
      plays_(makeTable("plays", translatedAll(design::playColumns()))),
      problem_(new QLabel),
      estimate_(new QLabel),
      bonuses_(makeTable("bonuses", translatedAll(design::bonusColumns()))),
      chart_(new BonusChart(this)) {
  setObjectName("frmHistory");
  setWindowTitle(QCoreApplication::translate("Window", "Tallix bonus history"));
  setStyleSheet(kDarkStyle);
  resize(kSize);
  closeOnEscape(this);

  problem_->setObjectName("problem");
  problem_->setWordWrap(true);
  problem_->setStyleSheet(
      QStringLiteral("QLabel { background: %1; color: %2; padding: 2px 6px; }")
          .arg(toQColor(design::kNoticeBackground).name(), toQColor(design::kNoticeText).name()));
  problem_->hide();
  estimate_->setObjectName("estimate");

  auto* exportBonuses =
      new QPushButton(QCoreApplication::translate("Window", "Export the bonuses as CSV"));
  exportBonuses->setObjectName("exportBonuses");
  auto* exportSummaries =
      new QPushButton(QCoreApplication::translate("Window", "Export the summaries as CSV"));
  exportSummaries->setObjectName("exportSummaries");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(exportBonuses);
  buttons->addWidget(exportSummaries);

  // The list of plays above the play picked, the player sharing the height between them.
  auto* picked = new QWidget;
  auto* pickedLayout = new QVBoxLayout(picked);
  pickedLayout->setContentsMargins(0, 0, 0, 0);
  auto* bonusesAndChart = new QHBoxLayout;
  bonusesAndChart->addWidget(bonuses_, 1);
  bonusesAndChart->addWidget(chart_, 1);
  pickedLayout->addWidget(problem_);
  pickedLayout->addWidget(estimate_);
  pickedLayout->addLayout(bonusesAndChart, 1);
  auto* split = new QSplitter(Qt::Vertical);
  split->setChildrenCollapsible(false);
  split->addWidget(plays_);
  split->addWidget(picked);
  split->setStretchFactor(0, 1);
  split->setStretchFactor(1, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(split, 1);
  layout->addLayout(buttons);

  connect(plays_, &QTableWidget::currentCellChanged, this, &HistoryWindow::showPicked);
  connect(exportBonuses, &QPushButton::clicked, this, &HistoryWindow::exportBonuses);
  connect(exportSummaries, &QPushButton::clicked, this, &HistoryWindow::exportSummaries);
  live_.setInterval(kLiveInterval);
  connect(&live_, &QTimer::timeout, this, &HistoryWindow::showPicked);
}

void HistoryWindow::refresh() {
  if (const Said why = model_.refresh(); !why.empty()) {
    messages_.show(this, QCoreApplication::translate("Window", "The past plays cannot be listed."),
                   translated(why));
  }
  const QSignalBlocker quiet(plays_);
  plays_->setRowCount(0);
  plays_->setRowCount(static_cast<int>(model_.rowCount()));
  for (std::size_t row = 0; row < model_.rowCount(); ++row) {
    setRow(plays_, static_cast<int>(row), model_.playRow(row));
  }
  plays_->setCurrentCell(static_cast<int>(model_.picked()), 0);
  showPicked();
}

void HistoryWindow::pick(int row) {
  plays_->setCurrentCell(row, 0);
}

void HistoryWindow::showPicked() {
  setRow(plays_, 0, model_.playRow(0));
  const bool redraw = model_.pick(static_cast<std::size_t>(std::max(plays_->currentRow(), 0)));
  estimate_->setText(translated(model_.estimateLine()));
  if (!redraw) return;
  problem_->setText(translated(model_.problem()));
  problem_->setVisible(!model_.problem().empty());
  const std::vector<design::TableRow> rows = model_.bonusRows();
  bonuses_->setRowCount(static_cast<int>(rows.size()));
  for (std::size_t i = 0; i < rows.size(); ++i) setRow(bonuses_, static_cast<int>(i), rows[i]);
  chart_->render(model_.bonuses());
}

void HistoryWindow::exportBonuses() {
  exportCsv(model_.bonusCsv());
}

void HistoryWindow::exportSummaries() {
  exportCsv(model_.summaryCsv());
}

void HistoryWindow::exportCsv(const design::CsvFile& file) {
  const QString path = ask_(this, QString::fromStdString(file.suggested.string()));
  if (path.isEmpty()) return;
  try {
    writeFileAtomically(path.toStdString(), file.contents);
  } catch (const FileError& e) {
    messages_.show(this, QCoreApplication::translate("Window", "The CSV file cannot be saved."),
                   translated(saidOf(e)));
  }
}

void HistoryWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  refresh();
  live_.start();
}

void HistoryWindow::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  live_.stop();
}

void openHistoryWindow(QWidget* panel, const Counter& counter, std::filesystem::path pastPlays,
                       Messages& messages) {
  auto* window = panel->findChild<HistoryWindow*>("frmHistory");
  if (window == nullptr) window = new HistoryWindow(panel, counter, std::move(pastPlays), messages);
  // Asked for again while open, it lists the past plays afresh, as it does when it opens.
  if (window->isVisible()) window->refresh();
  showOverPanel(window, panel);
}

}  // namespace tallix::window
