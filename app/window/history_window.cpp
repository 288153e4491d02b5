#include "history_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "base/files.h"
#include "base/numbers.h"
#include "bonus_chart.h"
#include "design.h"
#include "dialogs.h"
#include "language.h"
#include "records/csv_export.h"

namespace tallix::window {

namespace {

constexpr int kLiveInterval = 500;  // ms
constexpr QSize kSize(1000, 680);   // at most: never past the screen's free area

// The headings, translated where the tables are made.
constexpr const char* kPlayColumns[] = {QT_TRANSLATE_NOOP("Window", "Play"),
                                        "Total",
                                        "BIG",
                                        "REG",
                                        QT_TRANSLATE_NOOP("Window", "BIG odds"),
                                        QT_TRANSLATE_NOOP("Window", "REG odds"),
                                        QT_TRANSLATE_NOOP("Window", "Payout"),
                                        QT_TRANSLATE_NOOP("Window", "Difference"),
                                        QT_TRANSLATE_NOOP("Window", "Max run-up"),
                                        QT_TRANSLATE_NOOP("Window", "Likeliest setting")};
constexpr const char* kBonusColumns[] = {"No.",
                                         QT_TRANSLATE_NOOP("Window", "Kind"),
                                         "Total",
                                         QT_TRANSLATE_NOOP("Window", "Run-up"),
                                         QT_TRANSLATE_NOOP("Window", "Coins"),
                                         QT_TRANSLATE_NOOP("Window", "Start"),
                                         QT_TRANSLATE_NOOP("Window", "End")};

template <std::size_t N>
QStringList translatedAll(const char* const (&texts)[N]) {
  QStringList all;
  for (const char* t : texts) all << QCoreApplication::translate("Window", t);
  return all;
}

QString text(const std::string& s) {
  return QString::fromStdString(s);
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

void setRow(QTableWidget* table, int row, const QStringList& cells, QColor colour) {
  for (int column = 0; column < cells.size(); ++column) {
    setCell(table, row, column, cells[column], colour);
  }
}

// "6 (48.9%)": the likeliest setting and its probability; "-" without an estimate.
QString likeliest(const std::optional<SettingEstimate>& estimate) {
  if (!estimate) return QStringLiteral("-");
  const auto& p = estimate->probability;
  const auto best = static_cast<std::size_t>(std::max_element(p.begin(), p.end()) - p.begin());
  return QStringLiteral("%1 (%2)").arg(best + 1).arg(text(percentTexts(p)[best]));
}

// Every setting's probability, the expected payout rate and the games it rests on, in a line.
QString estimateLine(const std::optional<SettingEstimate>& estimate) {
  if (!estimate) return {};
  const auto percents = percentTexts(estimate->probability);
  QStringList parts{QCoreApplication::translate("Window", "Setting estimate:")};
  for (std::size_t s = 0; s < kSettingCount; ++s) {
    parts << QStringLiteral("%1: %2").arg(s + 1).arg(text(percents[s]));
  }
  if (estimate->payoutRate) {
    parts << QCoreApplication::translate("Window", "Expected payout rate: %1%")
                 .arg(text(formatFixed2(*estimate->payoutRate)));
  }
  parts << QCoreApplication::translate("Window", "(%1 games)").arg(estimate->games);
  return parts.join(QStringLiteral("   "));
}

QStringList summaryCells(const PlaySummary& s) {
  const auto probability = [](const std::optional<std::int64_t>& n) {
    return n ? QStringLiteral("1/%1").arg(*n) : QStringLiteral("1/-");
  };
  return {QString::number(s.games),      QString::number(s.big),         QString::number(s.reg),
          probability(s.gamesPerBig),    probability(s.gamesPerReg),     text(s.payoutRate),
          QString::number(s.difference), QString::number(s.longestRunUp)};
}

// Gives a window its size, within the screen's free area, and centres it over `panel` without
// crossing an edge of that area.
void placeOver(QWidget* window, const QWidget* panel) {
  const QRect screen = panel->screen()->availableGeometry();
  const QSize size = kSize.boundedTo(screen.size());
  QRect place(QPoint(), size);
  place.moveCenter(panel->frameGeometry().center());
  place.moveLeft(std::clamp(place.left(), screen.left(), screen.right() + 1 - size.width()));
  place.moveTop(std::clamp(place.top(), screen.top(), screen.bottom() + 1 - size.height()));
  window->resize(size);
  window->move(place.topLeft());
}

QString askWithDialog(QWidget* parent, const QString& suggested) {
  return QFileDialog::getSaveFileName(parent, {}, suggested, "*.csv");
}

}  // namespace

HistoryWindow::HistoryWindow(QWidget* parent, const Counter& counter,
                             std::filesystem::path pastPlays, Messages& messages, AskSavePath ask)
    : QWidget(parent, Qt::Window),
      counter_(counter),
      pastPlays_(std::move(pastPlays)),
      messages_(messages),
      ask_(ask ? std::move(ask) : askWithDialog),
      plays_(makeTable("plays", translatedAll(kPlayColumns))),
      problem_(new QLabel),
      estimate_(new QLabel),
      bonuses_(makeTable("bonuses", translatedAll(kBonusColumns))),
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
  past_.clear();
  try {
    past_ = listPastPlays(pastPlays_);
  } catch (const FileError& e) {
    messages_.show(this, QCoreApplication::translate("Window", "The past plays cannot be listed."),
                   translated(saidOf(e)));
  }
  const int picked = std::max(plays_->currentRow(), 0);
  const QSignalBlocker quiet(plays_);
  plays_->setRowCount(0);
  plays_->setRowCount(static_cast<int>(past_.size()) + 1);
  setRow(plays_, 0, {QCoreApplication::translate("Window", "Current play")},
         toQColor(design::kLightYellow));
  for (std::size_t i = 0; i < past_.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    const QString date = text(past_[i].date);
    if (past_[i].summary) {
      setRow(plays_, row, {date}, toQColor(design::kWhite));
      showSummary(row, *past_[i].summary);
    } else {
      setRow(plays_, row, {date, QCoreApplication::translate("Window", "Unreadable")},
             toQColor(design::kOrange));
    }
  }
  plays_->setCurrentCell(std::min(picked, plays_->rowCount() - 1), 0);
  shown_.reset();
  showPicked();
}

void HistoryWindow::pick(int row) {
  plays_->setCurrentCell(row, 0);
}

void HistoryWindow::showPicked() {
  const PlaySummary current = counter_.summary();
  showSummary(0, current);
  const int row = std::max(plays_->currentRow(), 0);
  const std::optional<PlaySummary>& picked =
      row == 0 ? current : past_[static_cast<std::size_t>(row - 1)].summary;
  estimate_->setText(picked ? estimateLine(estimateOf(*picked)) : QString());
  // The bonuses are drawn again only for another play, or when the current one's change.
  const std::pair shown{row, row == 0 ? counter_.bonuses().revision() : 0};
  if (shown_ == shown) return;
  shown_ = shown;
  if (row == 0) {
    problem_->hide();
    estimate_->setObjectName("estimate");
    showBonuses(counter_.bonuses().all());
    return;
  }
  // A past play's bonuses are read when it is picked; a file that cannot be read says why.
  pickedBonuses_.clear();
  QString problem;
  try {
    pickedBonuses_ = readPlay(past_[static_cast<std::size_t>(row - 1)].path).bonuses;
  } catch (const std::runtime_error& e) {  // RecordError or FileError
    problem = translated(saidOf(e));
  }
  problem_->setText(problem);
  problem_->setVisible(!problem.isEmpty());
  showBonuses(pickedBonuses_);
}

std::optional<SettingEstimate> HistoryWindow::estimateOf(const PlaySummary& play) const {
  const std::optional<SettingModel>& model = counter_.settingModel();
  if (!model) return std::nullopt;
  return estimateSetting(*model, play, counter_.settings().koyaku);
}

void HistoryWindow::showSummary(int row, const PlaySummary& summary) {
  const QColor colour = plays_->item(row, 0)->foreground().color();
  const QStringList cells = summaryCells(summary) << likeliest(estimateOf(summary));
  for (int column = 1; column <= cells.size(); ++column) {
    setCell(plays_, row, column, cells[column - 1], colour);
  }
}

void HistoryWindow::showBonuses(const std::vector<Bonus>& bonuses) {
  bonuses_->setRowCount(static_cast<int>(bonuses.size()));
  for (std::size_t i = 0; i < bonuses.size(); ++i) {
    const Bonus& b = bonuses[i];
    setRow(bonuses_, static_cast<int>(i),
           {QString::number(i + 1), b.kind == BonusKind::BIG ? "BIG" : "REG",
            QString::number(b.game), QString::number(b.run_up), QString::number(b.coins),
            text(timeOfDayText(b.start)), text(timeOfDayText(b.end))},
           toQColor(b.kind == BonusKind::BIG ? kBigColour : kRegColour));
  }
  chart_->render(bonuses);
}

void HistoryWindow::exportBonuses() {
  const int row = std::max(plays_->currentRow(), 0);
  if (row == 0) return exportCsv("bonuses_current.csv", bonusCsv(counter_.bonuses().all()));
  QString name = text(past_[static_cast<std::size_t>(row - 1)].date);
  exportCsv("bonuses_" + name.remove(':').replace(' ', '_') + ".csv", bonusCsv(pickedBonuses_));
}

void HistoryWindow::exportSummaries() {
  std::vector<SummaryRow> rows{{"current", counter_.summary()}};
  for (const PastPlay& play : past_) {
    if (play.summary) rows.push_back({play.date, *play.summary});
  }
  exportCsv("summaries.csv", summaryCsv(rows));
}

void HistoryWindow::exportCsv(const QString& name, const std::string& csv) {
  // Suggested in the folder of the play's record, beside the past plays.
  const QString path =
      ask_(this, QString::fromStdString((pastPlays_.parent_path() / name.toStdString()).string()));
  if (path.isEmpty()) return;
  try {
    writeFileAtomically(path.toStdString(), csv);
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
  if (!window->isVisible()) placeOver(window, panel);
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace tallix::window
