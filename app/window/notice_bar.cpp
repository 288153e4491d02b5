#include "notice_bar.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "design.h"

namespace tallix::window {

NoticeBar::NoticeBar(QWidget* parent, std::function<void(int)> resized)
    : QWidget(parent), layout_(new QVBoxLayout(this)), resized_(std::move(resized)) {
  setObjectName("notice");
  setAttribute(Qt::WA_StyledBackground);
  setStyleSheet(
      QStringLiteral("QWidget#notice { background: %1; }"
                     "QLabel { color: %2; }"
                     "QToolButton { color: %2; border: none; font-weight: bold; }")
          .arg(toQColor(design::kNoticeBackground).name(), toQColor(design::kNoticeText).name()));
  layout_->setContentsMargins(8, 2, 4, 2);
  layout_->setSpacing(0);
  hide();
}

void NoticeBar::add(const QString& text, bool passing) {
  auto* line = new QWidget(this);
  auto* row = new QHBoxLayout(line);
  row->setContentsMargins(0, 0, 0, 0);
  auto* label = new QLabel(text, line);
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* close = new QToolButton(line);
  close->setText(QStringLiteral("×"));
  close->setToolTip(QCoreApplication::translate("Window", "Dismiss"));
  row->addWidget(label, 1);
  row->addWidget(close, 0, Qt::AlignTop);
  connect(close, &QToolButton::clicked, this, [this, line] { remove(line); });
  if (passing) QTimer::singleShot(kPassingMs, line, [this, line] { remove(line); });
  layout_->addWidget(line);
  fit();
}

QStringList NoticeBar::lines() const {
  QStringList texts;
  for (int i = 0; i < layout_->count(); ++i) {
    texts << layout_->itemAt(i)->widget()->findChild<QLabel*>()->text();
  }
  return texts;
}

void NoticeBar::remove(QWidget* line) {
  if (layout_->indexOf(line) < 0) return;  // dismissed before it passed
  layout_->removeWidget(line);
  line->deleteLater();
  line->hide();
  fit();
}

void NoticeBar::fit() {
  const bool any = layout_->count() > 0;
  setVisible(any);
  const int height = any ? layout_->heightForWidth(width()) : 0;
  resize(width(), height);
  resized_(height);
}

}  // namespace tallix::window
