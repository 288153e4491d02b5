#include "notice_bar.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include "language.h"
#include "qt_design.h"

namespace tallix::window {

NoticeBar::NoticeBar(QWidget* parent)
    : QWidget(parent),
      text_(new QLabel(this)),
      count_(new QLabel(this)),
      close_(new QToolButton(this)) {
  setObjectName("notice");
  setAttribute(Qt::WA_StyledBackground);
  auto* row = new QHBoxLayout(this);
  constexpr int kMargin = 2;
  row->setContentsMargins(8, kMargin, 4, kMargin);
  text_->setWordWrap(true);
  text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  close_->setText(QStringLiteral("×"));
  close_->setToolTip(QCoreApplication::translate("Window", "Dismiss"));
  row->addWidget(text_, 1);
  row->addWidget(count_, 0, Qt::AlignTop);
  row->addWidget(close_, 0, Qt::AlignTop);
  setFixedHeight(text_->fontMetrics().lineSpacing() * kLines + 2 * kMargin);
  connect(close_, &QToolButton::clicked, this, [this] {
    notices_.dismiss();
    render();
  });
  clock_.start();
  render();
}

void NoticeBar::add(const Said& text, bool passing, Notices::Topic topic) {
  notices_.add(text, passing, clock_.elapsed(), topic);
  render();
}

void NoticeBar::render() {
  notices_.expire(clock_.elapsed());
  if (drawn_ == notices_.revision()) return;
  drawn_ = notices_.revision();
  const Notices::Notice* shown = notices_.shown();
  const QString text = shown != nullptr ? translated(shown->text) : QString();
  text_->setText(text);
  text_->setToolTip(text);  // the whole text, should it need more lines than the bar has
  const auto held = static_cast<int>(notices_.all().size());
  count_->setText(held > 1 ? QStringLiteral("1/%1").arg(held) : QString());
  close_->setVisible(shown != nullptr);
  // The strip takes the notice's colour while it holds one, the panel's black while empty.
  setStyleSheet(QStringLiteral("QWidget#notice { background: %1; }"
                               "QLabel { color: %2; }"
                               "QToolButton { color: %2; border: none; font-weight: bold; }")
                    .arg(toQColor(shown ? design::kNoticeBackground : design::kBlack).name(),
                         toQColor(design::kNoticeText).name()));
}

QString NoticeBar::shown() const {
  return text_->text();
}

QStringList NoticeBar::lines() const {
  QStringList lines;
  for (const Notices::Notice& n : notices_.all()) lines << translated(n.text);
  return lines;
}

}  // namespace tallix::window
