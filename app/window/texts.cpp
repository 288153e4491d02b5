#include "texts.h"

#include <QLineEdit>

#include "qt_design.h"

namespace tallix::window {

namespace {

using design::Kind;
using design::TextPlace;

QLineEdit* makeBox(QWidget* parent, const TextPlace& t) {
  auto* box = new QLineEdit(parent);
  box->setReadOnly(true);
  // A figure is read, never edited: the box takes no focus, so that the window's keys (Ctrl+E,
  // which a line edit would take as its own) work wherever the player clicked, and a right
  // click opens the window's menu, not an editor's.
  box->setFocusPolicy(Qt::NoFocus);
  box->setContextMenuPolicy(Qt::NoContextMenu);
  box->setFont(designFont(t.style));
  box->setAlignment((t.align == design::Align::right ? Qt::AlignRight : Qt::AlignLeft) |
                    Qt::AlignVCenter);
  box->setGeometry(toPixels(t.place));
  box->setStyleSheet(QStringLiteral("QLineEdit { background: black; color: %1;"
                                    " border: 1px solid %2; padding: 0 2px; }")
                         .arg(toQColor(t.colour).name(), toQColor(design::kBoxBorder).name()));
  return box;
}

}  // namespace

Texts::Texts(QWidget* parent) {
  for (const design::FixedCaption& c : design::kLabel1) {
    new Caption(parent, QStringLiteral("Label1_%1").arg(c.index), QString::fromUtf8(c.text),
                c.place, c.style, design::kWhite);
  }
  for (const TextPlace& t : design::kTexts) {
    const QString name = QString::fromUtf8(textName(t.id));
    QWidget* widget = t.kind == Kind::box
                          ? static_cast<QWidget*>(makeBox(parent, t))
                          : new Caption(parent, name, QString(), t.place, t.style, t.colour);
    widget->setObjectName(name);
    widgets_[static_cast<std::size_t>(t.id)] = widget;
  }
}

void Texts::render(const Panel& panel) {
  for (std::size_t i = 0; i < kTextCount; ++i) {
    const TextBox& text = panel.text(static_cast<TextId>(i));
    QWidget* widget = widgets_[i];
    if (shown_[i] != text.text) {  // every display starts empty
      if (auto* box = qobject_cast<QLineEdit*>(widget)) {
        box->setText(QString::fromStdString(text.text));
        box->setCursorPosition(0);
      } else {
        static_cast<Caption*>(widget)->setCaption(QString::fromStdString(text.text));
      }
      shown_[i] = text.text;
    }
    widget->setVisible(text.visible);
  }
}

}  // namespace tallix::window
