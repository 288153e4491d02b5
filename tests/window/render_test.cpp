// The window as a view of the panel: after ticks, its widgets show what the panel holds.
#include <QFontMetrics>
#include <QImage>
#include <QPushButton>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <random>

#include "counting/panel.h"
#include "design/design.h"
#include "window/coin_chart.h"
#include "window_fixture.h"

namespace tallix::testing {
namespace {

const char* const kIni =
    "[setting]\r\naddr=&H378\r\nrate1=5\r\nrate2=5.6\r\nrate3=7.6\r\n"
    "[koyaku]\r\nkoyaku1=10\r\nkoyaku1g=30\r\nkoyaku2=15\r\nkoyaku3=2\r\nkoyaku3g=10\r\n"
    "[data5pin]\r\nenabled=1\r\nname=AT\r\n";

class Rendering : public WindowTest {
 protected:
  void SetUp() override {
    writeIni(kIni);
    start();
    frm->show();
    QApplication::processEvents();
  }
  // Games of three coins, each after the game guard has run out.
  void games(int count, int coinsOut = 0) {
    for (int g = 0; g < count; ++g) {
      pause();
      for (int i = 0; i < 3; ++i) pulse(kCoinIn);
      for (int i = 0; i < coinsOut; ++i) pulse(kCoinOut);
    }
  }
  void expectWidgetsShowThePanel() {
    const Panel& panel = frm->counter().panel();
    for (std::size_t i = 0; i < kTextCount; ++i) {
      const auto id = static_cast<TextId>(i);
      const std::string name(textName(id));
      SCOPED_TRACE(name);
      auto* widget = child<QWidget>(name);
      const auto* box = qobject_cast<QLineEdit*>(widget);
      const QString text = box ? box->text() : qobject_cast<QLabel*>(widget)->text();
      EXPECT_EQ(text.toStdString(), panel.text(id).text);
      EXPECT_EQ(widget->isVisibleTo(frm.get()), panel.text(id).visible);
    }
    for (std::size_t g = 0; g < kGroupCount; ++g) {
      const DigitGroup& group = panel.group(static_cast<GroupId>(g));
      for (std::size_t k = 0; k < group.size; ++k) {
        const std::string name =
            std::string(groupName(static_cast<GroupId>(g))) + std::to_string(k);
        SCOPED_TRACE(name);
        EXPECT_EQ(child<QLabel>(name)->pixmap().cacheKey(),
                  frm->pictures().picture(group.set, group.digits[k]).cacheKey());
      }
    }
    EXPECT_EQ(shown("saImage10"), panel.saMinusVisible());
    for (std::size_t i = 0; i < 10; ++i) {
      auto* label = child<QLabel>("rirekiLabel" + std::to_string(i));
      EXPECT_EQ(label->text().toStdString(), panel.history(i).text);
      EXPECT_EQ(
          label->palette().color(QPalette::WindowText),
          QColor(panel.history(i).colour.r, panel.history(i).colour.g, panel.history(i).colour.b));
    }
  }
  const QLineSeries* coinSeries() {
    const auto series = child<QChartView>("MSChart1")->chart()->series();
    return qobject_cast<QLineSeries*>(series.back());
  }
};

bool near(QRgb pixel, QColor want, int tolerance) {
  return std::abs(qRed(pixel) - want.red()) <= tolerance &&
         std::abs(qGreen(pixel) - want.green()) <= tolerance &&
         std::abs(qBlue(pixel) - want.blue()) <= tolerance;
}

TEST(DigitPictures, EverySetHasElevenPicturesInItsColour) {
  const window::DigitPictures pictures;
  struct Row {
    PictureSet set;
    QColor lit;
  };
  for (const Row& row :
       {Row{PictureSet::Image1, {0, 230, 255}}, Row{PictureSet::Image1g, {60, 255, 90}},
        Row{PictureSet::Image1p, {255, 100, 200}}, Row{PictureSet::Image1y, {255, 230, 40}}}) {
    SCOPED_TRACE(static_cast<int>(row.set));
    for (int k = 0; k <= design::kMinusPicture; ++k) {
      EXPECT_EQ(pictures.picture(row.set, k).size(), QSize(32, 45));
    }
    const QImage eight = pictures.picture(row.set, 8).toImage();
    const QImage one = pictures.picture(row.set, 1).toImage();
    const QImage minus = pictures.picture(row.set, design::kMinusPicture).toImage();
    EXPECT_TRUE(near(eight.pixel(16, 4), row.lit, 64));   // segment a (JPEG shifts thin strokes)
    EXPECT_TRUE(near(one.pixel(25, 31), row.lit, 64));    // segment c
    EXPECT_FALSE(near(one.pixel(16, 22), row.lit, 100));  // segment g is off in a 1
    EXPECT_TRUE(near(minus.pixel(16, 22), row.lit, 64));  // and the minus bar's only one
    EXPECT_TRUE(near(minus.pixel(2, 2), Qt::black, 16));  // on black
  }
}

TEST(CoinChartDrawing, AGrowingGraphIsDrawnAsAFreshDrawOfItsRowsWithEveryPeak) {
  QWidget parent;
  window::CoinChart growing(&parent), fresh(&parent);
  Chart chart;
  std::mt19937 rng(7);
  auto grow = [&](int rows) {
    chart.setRowCount(static_cast<std::int16_t>(rows));
    chart.setRow(static_cast<std::int16_t>(rows));
    chart.setValue(std::to_string(static_cast<int>(rng() % 2001) - 1000));
  };
  // Row by row across two doublings of the rows per point, then in one go to a full graph.
  for (int rows = 2; rows <= 2100; ++rows) {
    grow(rows);
    growing.render(chart);
  }
  for (int rows = 2101; rows <= Chart::kMaxRows; ++rows) grow(rows);
  chart.setRow(30000);
  chart.setValue("-5000");  // the lowest point, in the middle of a run
  chart.setRow(7);
  chart.setValue("4000");  // a row drawn before is changed: the graph is drawn afresh
  growing.render(chart);
  fresh.render(chart);
  EXPECT_EQ(growing.points(), fresh.points());
  EXPECT_LE(fresh.points().size(), 2 * static_cast<qsizetype>(window::CoinChart::kMaxBuckets));
  EXPECT_TRUE(fresh.points().contains(QPointF(29999 * 25, -5000)));
  EXPECT_TRUE(fresh.points().contains(QPointF(6 * 25, 4000)));
}

TEST(CoinChartDrawing, ThePayoutRateDrawsTheExpectedDifferenceAcrossTheGamesAxis) {
  QWidget parent;
  window::CoinChart chart(&parent);
  Chart rows;
  rows.setRowCount(81);  // 2000 games
  rows.setRow(81);
  rows.setValue("-700");
  chart.render(rows);
  EXPECT_EQ(chart.chart()->series().size(), 2);  // no setting: the coin and zero lines only
  EXPECT_TRUE(chart.expectedPoints().isEmpty());

  chart.render(rows, 101.5);  // 3 coins a game: +0.045 coins a game
  const auto* games = static_cast<QValueAxis*>(chart.chart()->axes(Qt::Horizontal).first());
  const QList<QPointF> points = chart.expectedPoints();
  ASSERT_EQ(points.size(), 2);
  EXPECT_EQ(points[0], QPointF(0, 0));
  EXPECT_EQ(points[1].x(), games->max());
  EXPECT_DOUBLE_EQ(points[1].y(), games->max() * 3 * 0.015);
  const auto* expected = static_cast<QLineSeries*>(chart.chart()->series().last());
  EXPECT_EQ(expected->pen().style(), Qt::DashLine);
  EXPECT_EQ(expected->pen().width(), 1);
  chart.render(rows, 97);
  EXPECT_DOUBLE_EQ(chart.expectedPoints().last().y(), games->max() * 3 * -0.03);
}

TEST_F(Rendering, AfterAPlayTheWidgetsShowThePanel) {
  games(3, 10);                               // 10 coins paid in each
  ticks({static_cast<std::uint8_t>(~kBig)});  // a BIG starts after 3 games
  for (int i = 0; i < 4; ++i) pulse(kCoinOut, kBig);
  ticks({0xFF});  // and ends
  games(22);      // 25 games: the second point of the graph
  frm->render();
  EXPECT_EQ(frm->counter().counters().big_count, 1);
  EXPECT_EQ(frm->counter().panel().history(0).text, "■");
  EXPECT_EQ(frm->counter().panel().chart().rowCount(), 2);
  expectWidgetsShowThePanel();
  const auto points = coinSeries()->points();
  ASSERT_EQ(points.size(), 2);

  EXPECT_EQ(points[1], QPointF(25, -39));  // 73 coins in and 34 out at the 25th game

  // The grab of the window: a lit segment, a history bar, the black background.
  const QImage image = frm->grab().toImage();
  // inImage shows 000075: segment b (upper right) of the last digit 5 is off, of the 7 on.
  const QPoint seven = child<QLabel>("inImage4")->geometry().topLeft();
  EXPECT_TRUE(near(image.pixel(seven + QPoint(25, 13)), QColor(255, 100, 200), 40));
  // saImage's minus bar: the middle segment, green.
  const QPoint minus = child<QLabel>("saImage10")->geometry().topLeft();
  EXPECT_TRUE(near(image.pixel(minus + QPoint(16, 22)), QColor(60, 255, 90), 40));
  EXPECT_TRUE(near(image.pixel(minus + QPoint(16, 6)), QColor(0, 0, 0), 40));  // segment a off
  // The BIG bar in rirekiLabel0: most of its square is the BIG colour.
  auto* bar = child<QLabel>("rirekiLabel0");
  const QRect barRect =
      QRect(bar->mapTo(frm.get(), QPoint(0, 0)), bar->size()).intersected(image.rect());
  int big = 0;
  for (int y = barRect.top(); y <= barRect.bottom(); ++y) {
    for (int x = barRect.left(); x <= barRect.right(); ++x) {
      big += image.pixel(x, y) == QColor(255, 128, 128).rgb();
    }
  }
  EXPECT_GT(big, 30);
  EXPECT_EQ(image.pixel(420, 6), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(520, 250), qRgb(0, 0, 0));
}

// Counts the paints of every widget of the window.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    paints += event->type() == QEvent::Paint || event->type() == QEvent::UpdateRequest;
    return false;
  }
};

TEST_F(Rendering, TicksWithoutAnEdgeCostNoWidgetWork) {
  games(2);
  frm->render();
  runEvents(50);
  PaintCounter counter;
  qApp->installEventFilter(&counter);
  for (int i = 0; i < 500; ++i) ticks({0xFF});
  frm->render();
  runEvents(50);  // the port is sampled and the display timer looks, too
  qApp->removeEventFilter(&counter);
  EXPECT_EQ(counter.paints, 0);

  qApp->installEventFilter(&counter);
  pulse(kCoinIn);
  runEvents(50);
  qApp->removeEventFilter(&counter);
  EXPECT_GT(counter.paints, 0);  // an edge is drawn by the display timer alone
  expectWidgetsShowThePanel();
}

TEST_F(Rendering, TheChartPassesTheFocusOn) {
  frm->activateWindow();
  auto* chart = child<QChartView>("MSChart1");
  chart->setFocus(Qt::MouseFocusReason);
  EXPECT_FALSE(chart->hasFocus());
  EXPECT_EQ(QApplication::focusWidget(), child<QPushButton>("Command3"));
}

TEST_F(Rendering, NoTextIsCutAtTheLargestFigures) {
  Counters& c = frm->counter().counters();
  c.in_count = 999999;
  c.out_count = 1;
  c.big_count = 999;
  c.reg_count = 999;
  c.start_all_count = 99999;
  c.big_coin = 99999;
  c.big_max_coin = 99999;
  c.tosi_kingaku = 99999;
  c.temochi_coin = 999999;
  c.koyaku1t = 9999;
  c.koyakuGNow(0) = 30;
  frm->counter().refreshStatistics();
  frm->counter().UpdateKoyaku(0);
  frm->counter().panel().setHistoryText(0, "■■■■■■■■■■■■■■■■■■■■");
  frm->render();
  for (QLabel* label : frm->findChildren<QLabel*>()) {
    if (label->text().isEmpty() || !label->isVisibleTo(frm.get())) continue;
    SCOPED_TRACE(label->objectName().toStdString() + " " + label->text().toStdString());
    const QSize text = QFontMetrics(label->font()).size(0, label->text());
    EXPECT_LE(text.width(), label->contentsRect().width());
    EXPECT_LE(text.height(), label->contentsRect().height());
  }
  for (QLineEdit* box : frm->findChildren<QLineEdit*>()) {
    if (!box->isVisibleTo(frm.get())) continue;
    SCOPED_TRACE(box->objectName().toStdString() + " " + box->text().toStdString());
    const QFontMetrics metrics(box->font());
    EXPECT_LE(metrics.horizontalAdvance(box->text()), box->contentsRect().width() - 4);
    EXPECT_LE(metrics.height(), box->contentsRect().height());
  }
  for (QPushButton* button : frm->findChildren<QPushButton*>()) {
    SCOPED_TRACE(button->objectName().toStdString());
    EXPECT_LE(QFontMetrics(button->font()).horizontalAdvance(button->text()), button->width() - 6);
  }
}

}  // namespace
}  // namespace tallix::testing
