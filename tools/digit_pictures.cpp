// Draws the 44 digit pictures of the window: seven-segment digits 0 to 9 and a minus bar, 32 x 45
// pixels, in the four colours of the picture sets, as JPEG files named <set>_<k>.jpg.
//
//   digit-pictures OUTPUT_DIR
//
// The pictures are committed under app/assets/ and embedded into the program; run this tool
// again only to change their look.
#include <QCoreApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPolygonF>
#include <QString>
#include <array>
#include <cstdio>

namespace {

constexpr int kWidth = 32;
constexpr int kHeight = 45;

// The one description of the segments: each segment's centre line, in pixels of the picture,
// and the segments lit for each picture (bit 0 = a ... bit 6 = g; picture 10 is the minus bar).
//
//    aaa
//   f   b
//    ggg
//   e   c
//    ddd
constexpr double kLeft = 6.5, kRight = 25.5, kTop = 4.5, kMiddle = 22.5, kBottom = 40.5;
struct Segment {
  QPointF from, to;
};
constexpr std::array<Segment, 7> kSegments{{
    {{kLeft, kTop}, {kRight, kTop}},         // a
    {{kRight, kTop}, {kRight, kMiddle}},     // b
    {{kRight, kMiddle}, {kRight, kBottom}},  // c
    {{kLeft, kBottom}, {kRight, kBottom}},   // d
    {{kLeft, kMiddle}, {kLeft, kBottom}},    // e
    {{kLeft, kTop}, {kLeft, kMiddle}},       // f
    {{kLeft, kMiddle}, {kRight, kMiddle}},   // g
}};
constexpr std::array<unsigned, 11> kLit{0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D,
                                        0x7D, 0x07, 0x7F, 0x6F, 0x40};
constexpr double kThickness = 4.2;
constexpr double kGap = 1.0;  // between the ends of two segments

struct PictureSet {
  const char* name;
  QColor lit;
};
const std::array<PictureSet, 4> kSets{{
    {"Image1", QColor(0, 230, 255)},     // cyan
    {"Image1g", QColor(60, 255, 90)},    // green
    {"Image1p", QColor(255, 100, 200)},  // pink
    {"Image1y", QColor(255, 230, 40)},   // yellow
}};

// A segment as a long hexagon around its centre line, with pointed ends.
QPolygonF segmentShape(const Segment& s) {
  const QPointF along = (s.to - s.from) / QLineF(s.from, s.to).length();
  const QPointF across(-along.y(), along.x());
  const double h = kThickness / 2;
  const QPointF a = s.from + along * kGap, b = s.to - along * kGap;
  return QPolygonF({a, a + along * h + across * h, b - along * h + across * h, b,
                    b - along * h - across * h, a + along * h - across * h});
}

QImage drawPicture(QColor lit, unsigned segments) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  // Unlit segments glow faintly, as on a real display.
  const QColor unlit =
      QColor::fromRgbF(lit.redF() * 0.11f, lit.greenF() * 0.11f, lit.blueF() * 0.11f);
  for (std::size_t i = 0; i < kSegments.size(); ++i) {
    p.setBrush((segments >> i) & 1 ? lit : unlit);
    p.drawPolygon(segmentShape(kSegments[i]));
  }
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: digit-pictures OUTPUT_DIR\n");
    return 2;
  }
  const QString dir = QString::fromLocal8Bit(argv[1]);
  for (const PictureSet& set : kSets) {
    for (std::size_t k = 0; k < kLit.size(); ++k) {
      const QString path = QStringLiteral("%1/%2_%3.jpg").arg(dir, set.name).arg(k);
      QImageWriter writer(path, "jpeg");
      writer.setQuality(75);
      writer.setOptimizedWrite(true);  // Huffman tables fitted to the picture: smaller files
      if (!writer.write(drawPicture(set.lit, kLit[k]))) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path),
                     qPrintable(writer.errorString()));
        return 1;
      }
    }
  }
  return 0;
}
