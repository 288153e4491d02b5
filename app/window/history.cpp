#include "history.h"

#include <QPainter>

#include "qt_design.h"

namespace tallix::window {

HistoryFrame::HistoryFrame(QWidget* parent) : QFrame(parent) {
  setObjectName("Frame1");
  setGeometry(toPixels(design::kHistoryFrame));
  for (int n = 1; n <= 10; ++n) {  // Label2 .. Label11 hold the row numbers 1 .. 10
    new Caption(this, QStringLiteral("Label%1").arg(n + 1), QString::number(n),
                design::historyNumberPlace(n), design::kHistoryStyle, design::kWhite);
  }
  const tallix::Panel fresh;
  for (int i = 0; i < 10; ++i) {
    rireki_[static_cast<std::size_t>(i)] = new Caption(
        this, QStringLiteral("rirekiLabel%1").arg(i), QString(), design::historyBarPlace(i),
        design::kHistoryStyle, fresh.history(static_cast<std::size_t>(i)).colour);
  }
  for (const design::ScaleCaption& c : design::kHistoryScale) {
    new Caption(this, c.name, c.text, c.place, design::kHistoryStyle, design::kWhite);
  }
}

void HistoryFrame::render(const tallix::Panel& panel) {
  for (std::size_t i = 0; i < rireki_.size(); ++i) {
    const HistoryEntry& entry = panel.history(i);
    rireki_[i]->setCaption(QString::fromStdString(entry.text));
    rireki_[i]->setColour(toQColor(entry.colour));
  }
}

void HistoryFrame::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(toQColor(design::kFrameBorder));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  for (const design::Line& line : design::kHistoryLines) {
    p.setPen(QPen(toQColor(design::kWhite), line.width, Qt::SolidLine, Qt::FlatCap));
    constexpr qreal kTwips = design::kTwipsPerPixel;
    const qreal x = line.x / kTwips;
    p.drawLine(QPointF(x, line.top / kTwips), QPointF(x, line.bottom / kTwips));
  }
}

}  // namespace tallix::window
