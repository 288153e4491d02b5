#include "digits.h"

#include <QLabel>
#include <QString>
#include <stdexcept>

#include "design.h"

namespace tallix::window {

namespace {

constexpr std::array<const char*, 4> kSetNames{"Image1", "Image1g", "Image1p", "Image1y"};

// Where each group stands: the left of its element 0 and its top, in twips. The elements
// follow one another without gaps, 480 twips (one picture) apart.
struct GroupPlace {
  int left, top;
};
constexpr std::array<GroupPlace, kGroupCount> kPlaces{{
    {1140, 240},   // gameImage
    {1140, 1080},  // totalImage
    {1200, 1920},  // bigImage
    {1200, 2760},  // regImage
    {4680, 240},   // inImage
    {4680, 1080},  // outImage
    {4680, 1920},  // saImage
}};
constexpr int kElementWidth = 480, kElementHeight = 675;
constexpr Twips kSaMinusPlace{4200, 1920, kElementWidth, kElementHeight};

QLabel* makeElement(QWidget* parent, const QString& name, Twips place) {
  auto* element = new QLabel(parent);
  element->setObjectName(name);
  element->setGeometry(toPixels(place));
  return element;
}

}  // namespace

DigitPictures::DigitPictures() {
  for (std::size_t set = 0; set < kSetNames.size(); ++set) {
    for (std::size_t k = 0; k < 11; ++k) {
      const QString path = QStringLiteral(":/digits/%1_%2.jpg").arg(kSetNames[set]).arg(k);
      if (!pictures_[set][k].load(path)) {
        throw std::runtime_error("cannot decode the digit picture " + path.toStdString());
      }
    }
  }
}

DigitGroups::DigitGroups(QWidget* parent, const DigitPictures& pictures) : pictures_(pictures) {
  const Panel design;
  for (std::size_t g = 0; g < kGroupCount; ++g) {
    const auto id = static_cast<GroupId>(g);
    const QString name = QString::fromUtf8(groupName(id));
    for (int k = 0; k < design.group(id).size; ++k) {
      const Twips place{kPlaces[g].left + k * kElementWidth, kPlaces[g].top, kElementWidth,
                        kElementHeight};
      groups_[g].elements[static_cast<std::size_t>(k)] =
          makeElement(parent, name + QString::number(k), place);
    }
  }
  saMinus_ = makeElement(parent, "saImage10", kSaMinusPlace);
  saMinus_->setPixmap(pictures.picture(design.group(GroupId::saImage).set, DigitPictures::kMinus));
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
