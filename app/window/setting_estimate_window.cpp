#include "setting_estimate_window.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>

#include "design/setting_estimate_view.h"
#include "full_screen.h"
#include "language.h"
#include "qt_design.h"

namespace tallix::window {

namespace {

constexpr int kRefreshMs = 250;

}  // namespace

SettingEstimateWindow::SettingEstimateWindow(const Counter& counter, QWidget* parent)
    : QWidget(parent, kBesidePanel),
      counter_(counter),
      payoutRate_(new QLabel(this)),
      basis_(new QLabel(this)),
      machine_(new QLabel(this)) {
  setObjectName("settingEstimate");
  payoutRate_->setObjectName("payoutRate");
  basis_->setObjectName("basis");
  machine_->setObjectName("machine");
  setWindowTitle(QCoreApplication::translate("Window", "Setting estimate"));
  setStyleSheet(QStringLiteral("%1 QProgressBar { border: 1px solid #303030; background: #101010; }"
                               " QProgressBar::chunk { background: %2; }")
                    .arg(kDarkStyle, toQColor(design::kLightYellow).name()));
  closeOnEscape(this);
  auto* layout = new QGridLayout(this);
  const design::SettingEstimateView view = design::settingEstimateView(counter_);
  for (std::size_t s = 0; s < kSettingCount; ++s) {
    const int row = static_cast<int>(s);
    bars_[s] = new QProgressBar(this);
    bars_[s]->setObjectName(QStringLiteral("bar%1").arg(s + 1));
    bars_[s]->setRange(0, static_cast<int>(design::SettingEstimateView::kWhole));
    bars_[s]->setTextVisible(false);
    bars_[s]->setMinimumWidth(300);
    percents_[s] = new QLabel(this);
    percents_[s]->setObjectName(QStringLiteral("percent%1").arg(s + 1));
    percents_[s]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    percents_[s]->setMinimumWidth(percents_[s]->fontMetrics().horizontalAdvance("100.0%"));
    layout->addWidget(new QLabel(translated(view.rows[s].caption), this), row, 0);
    layout->addWidget(bars_[s], row, 1);
    layout->addWidget(percents_[s], row, 2);
  }
  for (QLabel* line : {payoutRate_, basis_, machine_}) {
    line->setWordWrap(true);
    layout->addWidget(line, layout->rowCount(), 0, 1, 3);
  }
  connect(&timer_, &QTimer::timeout, this, [this] {
    if (isVisible()) refresh();
  });
  timer_.start(kRefreshMs);
  refresh();
}

void SettingEstimateWindow::refresh() {
  const design::SettingEstimateView view = design::settingEstimateView(counter_);
  for (std::size_t s = 0; s < kSettingCount; ++s) {
    bars_[s]->setValue(static_cast<int>(view.rows[s].tenths));
    percents_[s]->setText(QString::fromStdString(view.rows[s].percent));
  }
  payoutRate_->setText(translated(view.payoutRate));
  basis_->setText(translated(view.basis));
  machine_->setText(translated(view.machine));
}

void openSettingEstimate(QWidget& panel, const Counter& counter) {
  auto* window = panel.findChild<SettingEstimateWindow*>("settingEstimate");
  if (window == nullptr) window = new SettingEstimateWindow(counter, &panel);
  window->refresh();
  showOverPanel(window, &panel);
}

}  // namespace tallix::window
