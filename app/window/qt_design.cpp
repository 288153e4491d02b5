#include "qt_design.h"

#include <QKeyEvent>
#include <QStringList>
#include <QWidget>

namespace tallix::window {

const char* const kDarkStyle =
    "QWidget { background: black; color: #e0e0e0; }"
    "QTableWidget { border: 1px solid #303030; gridline-color: #303030; }"
    "QTableWidget::item:selected { background: #203040; }"
    "QHeaderView::section { background: #101820; color: #c0c0c0; border: 0;"
    " border-right: 1px solid #303030; padding: 2px 4px; }"
    "QPushButton { background: #202020; border: 1px solid #606060; padding: 3px 10px; }"
    "QPushButton:hover { background: #303030; }";

namespace {

class EscapeCloses : public QObject {
 public:
  explicit EscapeCloses(QWidget* window) : QObject(window), window_(window) {}

 protected:
  // A key no control of the window took comes to the window itself.
  bool eventFilter(QObject* target, QEvent* event) override {
    if (target != window_ || event->type() != QEvent::KeyPress ||
        static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape) {
      return false;
    }
    window_->close();
    return true;
  }

 private:
  QWidget* window_;
};

}  // namespace

void closeOnEscape(QWidget* window) {
  window->installEventFilter(new EscapeCloses(window));
}

QRect toPixels(Twips place) {
  using design::px;
  return QRect(px(place.left), px(place.top), px(place.width), px(place.height));
}

QFont designFont(Style style) {
  const auto faces = [](const auto& names) {
    QStringList list;
    for (const char* name : names) list << QString::fromUtf8(name);
    return list << QStringLiteral("serif");  // fontconfig's Japanese serif
  };
  static const QStringList proportional = faces(design::kProportionalFaces);
  static const QStringList fixed = faces(design::kFixedFaces);
  const design::Font& f = design::font(style);
  QFont font;
  font.setFamilies(f.proportional ? proportional : fixed);
  font.setStyleHint(QFont::Serif);
  font.setPixelSize(f.pixels);
  font.setBold(f.bold);
  return font;
}

Caption::Caption(QWidget* parent, const QString& name, const QString& text, Twips place,
                 Style style, Rgb colour)
    : QLabel(parent), design_(toPixels(place).size()) {
  setObjectName(name);
  setFont(designFont(style));
  setColour(toQColor(colour));
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  move(toPixels(place).topLeft());
  setCaption(text);
}

void Caption::setCaption(const QString& text) {
  setText(text);
  const QSize needed = sizeHint();
  resize(std::max(design_.width(), needed.width()), std::max(design_.height(), needed.height()));
}

void Caption::setColour(QColor colour) {
  QPalette p = palette();
  p.setColor(QPalette::WindowText, colour);
  setPalette(p);
}

}  // namespace tallix::window
