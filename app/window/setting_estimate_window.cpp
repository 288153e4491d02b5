#include "setting_estimate_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>

#include "base/numbers.h"
#include "design.h"
#include "language.h"

namespace tallix::window {

namespace {

constexpr int kRefreshMs = 250;
constexpr int kBarSteps = 1000;  // a bar moves by tenths of a percent

QString text(const std::string& s) {
  return QString::fromStdString(s);
}

}  // namespace

SettingEstimateWindow::SettingEstimateWindow(const Counter& counter, QWidget* parent)
    : QWidget(parent, Qt::Window),
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
  for (std::size_t s = 0; s < kSettingCount; ++s) {
    const int row = static_cast<int>(s);
    bars_[s] = new QProgressBar(this);
    bars_[s]->setObjectName(QStringLiteral("bar%1").arg(s + 1));
    bars_[s]->setRange(0, kBarSteps);
    bars_[s]->setTextVisible(false);
    bars_[s]->setMinimumWidth(300);
    percents_[s] = new QLabel(this);
    percents_[s]->setObjectName(QStringLiteral("percent%1").arg(s + 1));
    percents_[s]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    percents_[s]->setMinimumWidth(percents_[s]->fontMetrics().horizontalAdvance("100.0%"));
    layout->addWidget(
        new QLabel(QCoreApplication::translate("Window", "Setting %1").arg(s + 1), this), row, 0);
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
  const std::optional<SettingModel>& model = counter_.settingModel();
  const std::optional<SettingEstimate> estimate = counter_.settingEstimate();
  const std::array<double, kSettingCount> none{};
  const auto& probability = estimate ? estimate->probability : none;
  const auto steps = shares(probability, kBarSteps);
  const auto percents = percentTexts(probability);
  for (std::size_t s = 0; s < kSettingCount; ++s) {
    bars_[s]->setValue(static_cast<int>(steps[s]));
    percents_[s]->setText(estimate ? text(percents[s]) : QString());
  }
  payoutRate_->setText(
      !estimate ? QString()
      : estimate->payoutRate
          ? QCoreApplication::translate("Window", "Expected payout rate: %1%")
                .arg(text(formatFixed2(*estimate->payoutRate)))
          : QCoreApplication::translate(
                "Window", "Expected payout rate: the machine gives no payout rates."));
  if (!model) {
    basis_->setText(QCoreApplication::translate(
                        "Window",
                        "No setting estimate: the machine that [estimate] machine= in tallix.ini "
                        "names could not be read: %1")
                        .arg(translated(counter_.settingModelProblem())));
  } else if (!estimate) {
    basis_->setText(QCoreApplication::translate(
        "Window", "No setting of the machine can give what was counted."));
  } else if (estimate->fromPayouts) {
    basis_->setText(QCoreApplication::translate("Window", "From %1 games, every payout counted.")
                        .arg(estimate->games));
  } else {
    basis_->setText(QCoreApplication::translate(
                        "Window",
                        "From %1 games: BIG, REG and the small wins alone, as the play's record "
                        "kept no payouts.")
                        .arg(estimate->games));
  }
  machine_->setText(
      !model ? QString()
      : model->machine.empty()
          ? QCoreApplication::translate(
                "Window",
                "Machine: the typical machine. Name yours with [estimate] machine= "
                "in tallix.ini.")
          : QCoreApplication::translate("Window", "Machine: %1").arg(text(model->machine)));
}

void addSettingEstimate(QWidget& panel, const Counter& counter) {
  auto* open = new QAction(QCoreApplication::translate("Window", "Setting estimate..."), &panel);
  open->setObjectName("openSettingEstimate");
  open->setShortcut(QKeySequence("Ctrl+E"));
  panel.addAction(open);
  panel.setContextMenuPolicy(Qt::ActionsContextMenu);
  QObject::connect(open, &QAction::triggered, &panel, [&panel, &counter] {
    auto* window = panel.findChild<SettingEstimateWindow*>("settingEstimate");
    if (window == nullptr) window = new SettingEstimateWindow(counter, &panel);
    window->refresh();
    window->show();
    window->raise();
  });
}

}  // namespace tallix::window
