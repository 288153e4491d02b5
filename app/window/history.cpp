#include "history.h"

#include <QPainter>

#include "design.h"

namespace tallix::window {

namespace {

constexpr Twips kFramePlace{8040, 600, 3855, 2895};

// The lines inside the frame, in twips: x, top, bottom and pen width.
struct Line {
  int x, top, bottom, width;
};
constexpr std::array<Line, 4> kLines{{
    {360, 120, 2900, 1},   // Line3, left of the bars
    {1290, 320, 2980, 3},  // Line2, 500 games
    {2105, 320, 3000, 3},  // Line1, 1000 games
    {2940, 320, 2965, 3},  // Line4, 1500 games
}};

}  // namespace

HistoryFrame::HistoryFrame(QWidget* parent) : QFrame(parent) {
  setObjectName("Frame1");
  setGeometry(toPixels(kFramePlace));
  for (int n = 1; n <= 10; ++n) {  // Label2 .. Label11 hold the row numbers 1 .. 10
    new Caption(this, QStringLiteral("Label%1").arg(n + 1), QString::number(n),
                {120, 480 + 240 * (n - 1), 375, 135}, Style::F, kWhite);
  }
  const tallix::Panel design;
  for (int i = 0; i < 10; ++i) {
    rireki_[static_cast<std::size_t>(i)] = new Caption(
        this, QStringLiteral("rirekiLabel%1").arg(i), QString(), {480, 480 + 240 * i, 3975, 135},
        Style::F, toQColor(design.history(static_cast<std::size_t>(i)).colour).rgb());
  }
  new Caption(this, "Label13", "500", {1180, 150, 375, 135}, Style::F, kWhite);
  new Caption(this, "Label12", "1000", {1920, 150, 375, 135}, Style::F, kWhite);
  new Caption(this, "Label14", "1500", {2760, 150, 375, 135}, Style::F, kWhite);
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
  p.setPen(QColor(0x60, 0x60, 0x60));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  for (const Line& line : kLines) {
    p.setPen(QPen(Qt::white, line.width, Qt::SolidLine, Qt::FlatCap));
    const qreal x = line.x / 15.0;
    p.drawLine(QPointF(x, line.top / 15.0), QPointF(x, line.bottom / 15.0));
  }
}

}  // namespace tallix::window
