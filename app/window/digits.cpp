#include "digits.h"

#include <QLabel>
#include <QString>
#include <stdexcept>

#include "qt_design.h"

namespace tallix::window {

namespace {

QLabel* makeElement(QWidget* parent, const QString& name, Twips place) {
  auto* element = new QLabel(parent);
  element->setObjectName(name);
  element->setGeometry(toPixels(place));
  return element;
}

}  // namespace

DigitPictures::DigitPictures() {
  for (std::size_t set = 0; set < design::kPictureSets.size(); ++set) {
    for (std::size_t k = 0; k < 11; ++k) {
      const QString path =
          QStringLiteral(":/digits/%1_%2.jpg").arg(design::kPictureSets[set]).arg(k);
      if (!pictures_[set][k].load(path)) {
        throw std::runtime_error("cannot decode the digit picture " + path.toStdString());
      }
    }
  }
}

DigitGroups::DigitGroups(QWidget* parent, const DigitPictures& pictures) : pictures_(pictures) {
  const Panel fresh;
  for (std::size_t g = 0; g < kGroupCount; ++g) {
    const auto id = static_cast<GroupId>(g);
    const QString name = QString::fromUtf8(groupName(id));
    for (int k = 0; k < fresh.group(id).size; ++k) {
      groups_[g].elements[static_cast<std::size_t>(k)] =
          makeElement(parent, name + QString::number(k), design::digitPlace(id, k));
    }
  }
  saMinus_ = makeElement(parent, "saImage10", design::kSaMinus);
  saMinus_->setPixmap(pictures.picture(fresh.group(GroupId::saImage).set, design::kMinusPicture));
  saMinus_->hide();
}

void DigitGroups::render(const Panel& panel) {
  for (std::size_t g = 0; g < kGroupCount; ++g) {
    const DigitGroup& group = panel.group(static_cast<GroupId>(g));
    Group& view = groups_[g];
    for (std::size_t k = 0; k < group.size; ++k) {
      const int digit = group.digits[k];
      if (view.shown[k] != digit) {
        view.elements[k]->setPixmap(pictures_.picture(group.set, digit));
        view.shown[k] = digit;
      }
    }
  }
  saMinus_->setVisible(panel.saMinusVisible());
}

}  // namespace tallix::window
