// The Qt windows' own layout, painting and input: what the faces leave to the front end.
#include <QApplication>
#include <QEnterEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPushButton>

#include <gtest/gtest.h>

#include "frontends/qt/apply_window_pos.h"
#include "frontends/qt/form1_window.h"
#include "frontends/qt/form2_window.h"
#include "frontends/qt/form3_window.h"
#include "frontends/qt/form4_window.h"

namespace kepa {
namespace {

QImage shotOf(QWidget& window) {
  return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void sendMouse(QWidget& to, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held) {
  QMouseEvent event(type, at, to.mapToGlobal(at), button, held, Qt::NoModifier);
  QCoreApplication::sendEvent(&to, &event);
}

TEST(SplashWindow, LabelsFontsPlaceAndRendering) {
  Form1Window window(15.0F, {[](int, int, float, float) {}, [] {}, [] {}});
  // Each label: caption, place, text colour, weight and points, background, alignment.
  QStringList labels;
  for (const QLabel* label :
       {window.Label1[0], window.Label1[1], window.Label2, window.Label3, window.Label4}) {
    const QRect at = label->geometry();
    const QFont font = label->font();
    QDebug(&labels.emplace_back()).noquote().nospace()
        << label->text() << ' ' << at.x() << ',' << at.y() << ' ' << at.width() << 'x'
        << at.height() << ' ' << label->palette().color(QPalette::WindowText).name() << ' '
        << font.weight() << ' ' << font.pointSize()
        << (label->autoFillBackground() ? " opaque " : " clear ")
        << (label->alignment() == (Qt::AlignLeft | Qt::AlignTop) ? "left" : "")
        << (label->alignment() == (Qt::AlignHCenter | Qt::AlignTop) ? "centred" : "");
    EXPECT_EQ(font.family(), QStringLiteral("Arial Black")) << label->text().toStdString();
  }
  EXPECT_EQ(labels.join('|').toStdString(),
            "KEPA 8,16 177x65 #ff0000 QFont::Bold 36 clear left|"
            "KEPA 80,40 169x65 #ffffff QFont::Bold 36 clear left|"
            "VER  3.0 168,96 185x49 #ff0000 QFont::Normal 24 opaque centred|"
            "Present's 24,176 113x33 #ffffff QFont::Bold 12 clear left|"
            "Orvane Project 144,168 209x41 #ffffff QFont::Bold 18 clear left");
  EXPECT_EQ(window.Label2->palette().color(QPalette::Window), QColor(0, 0, 0));
  EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
  // The font names map onto installed faces; "Arial Black" is not a free font, so its stand-in
  // must be a real, installed face.
  EXPECT_EQ(QFontInfo(QFont(QStringLiteral("ＭＳ Ｐゴシック"))).family(),
            QStringLiteral("IPAPGothic"));
  const QString heavy = QFontInfo(window.Label1[0]->font()).family();
  EXPECT_TRUE(QFontDatabase::families().contains(heavy)) << heavy.toStdString();
  // Twips to whole pixels, half a pixel to even: 4897.5 twips are 326.5 pixels.
  window.setLeftTwips(4897.5F);
  window.setTopTwips(4215.0F);
  EXPECT_EQ(window.pos(), QPoint(326, 281));
  EXPECT_FLOAT_EQ(window.widthTwips(), 5565.0F);
  EXPECT_EQ(Form1Window(12.0F, {}).size(), QSize(464, 258));  // 463.75 x 257.5 pixels

  // Dark blue, the opaque version label on black, the artwork over the top-left 161 x 161
  // pixels and red text of "KEPA" in Label1(0).
  const QImage shot = window.grab().toImage();
  ASSERT_EQ(shot.size(), QSize(371, 206));
  EXPECT_EQ(shot.pixelColor(365, 200), QColor(0, 0, 0x80));
  EXPECT_EQ(shot.pixelColor(350, 143), QColor(0, 0, 0));
  int differing = 0;  // of every fourth pixel of the artwork's square
  int red = 0;        // in Label1(0)'s place
  for (int y = 0; y < 161; ++y) {
    for (int x = 0; x < 161; ++x) {
      differing += x % 4 == 0 && y % 4 == 0 && shot.pixelColor(x, y) != QColor(0, 0, 0x80);
      red += QRect(8, 16, 72, 65).contains(x, y) && shot.pixelColor(x, y) == QColor(255, 0, 0);
    }
  }
  EXPECT_GT(differing, 100);
  EXPECT_GT(red, 0);
}

// The clipping window paints the captured image, the frame, the region image above it, a drag
// outline and the cross-hair, the last two inverting what they cross.
TEST(ClippingWindow, PaintsTheImageFrameRegionImageOutlineAndCrossHair) {
  Surface screen(640, 480);
  for (std::int32_t y = 0; y < 480; ++y) {
    for (std::int32_t x = 0; x < 640; ++x)
      screen.row(y)[x] = 0xFF000000U | static_cast<std::uint32_t>(x << 8 | y);
  }
  const auto captured = [](int x, int y) { return 0xFF000000U | static_cast<QRgb>(x << 8 | y); };
  const auto inverted = [](QRgb pixel) { return pixel ^ 0x00FFFFFFU; };
  int downs = 0;
  Form2Window window(std::move(screen), 15.0F, 15.0F,
                     {[&](int, int, float, float) { ++downs; }, [](int, int, float, float) {},
                      [](int, int, float, float) {}, [] {}, [](float, float) {}, [] {}});
  window.showOverScreen();
  EXPECT_EQ(window.geometry(), QRect(0, 0, 640, 480));
  EXPECT_EQ(window.cursor().shape(), Qt::BlankCursor);
  const QRgb frame = 0xFF00FFFFU;
  window.changeShape1(
      [&](FrameShape& shape) { shape = {200, 100, 61, 41, true, Colour::fromPixel(frame)}; });
  sendMouse(window, QEvent::MouseMove, {260, 140}, Qt::NoButton, Qt::NoButton);
  QImage shot = shotOf(window);
  for (const QPoint at : {QPoint(200, 100), QPoint(230, 100), QPoint(200, 120), QPoint(230, 140)})
    EXPECT_EQ(shot.pixel(at), frame) << at.x() << "," << at.y();
  EXPECT_EQ(shot.pixel(230, 120), captured(230, 120));  // the frame's inside is the image
  // The cross-hair's arms around (260, 140) invert the image, and the frame where they cross
  // it; its centre stays clear.
  EXPECT_EQ(shot.pixel(260, 150), inverted(captured(260, 150)));
  EXPECT_EQ(shot.pixel(270, 140), inverted(captured(270, 140)));
  EXPECT_EQ(shot.pixel(260, 130), inverted(frame));
  EXPECT_EQ(shot.pixel(261, 141), captured(261, 141));
  // Entering the window (a menu above it closed) shows the cross-hair at once.
  QEnterEvent enter(QPointF(400, 300), QPointF(400, 300), QPointF(400, 300));
  QCoreApplication::sendEvent(&window, &enter);
  EXPECT_EQ(shotOf(window).pixel(400, 290), inverted(captured(400, 290)));

  // The region image, shown over the frame's right edge, hides it; a drag of it draws an
  // inverting outline centred on the pointer, and the press is no press of the window.
  window.changePicture1([](Picture& picture) {
    picture.setBackColor(Colour(0x0000FF));
    picture.move({240, 110});
    picture.setVisible(true);
  });
  EXPECT_EQ(shotOf(window).pixel(260, 115), 0xFFFF0000U);
  sendMouse(window, QEvent::MouseButtonPress, {250, 120}, Qt::LeftButton, Qt::LeftButton);
  sendMouse(window, QEvent::MouseMove, {500, 300}, Qt::NoButton, Qt::LeftButton);
  shot = shotOf(window);
  EXPECT_EQ(shot.pixel(440, 256), inverted(captured(440, 256)));  // 500 - 121 / 2, 300 - 89 / 2
  EXPECT_EQ(shot.pixel(450, 280), captured(450, 280));
  EXPECT_EQ(downs, 0);
}

TEST(MagnifierWindow, ItsFrameLabelsAndMouseAtEachScale) {
  // A dark desktop theme for the time of the test.
  const struct DarkTheme {
    QPalette before = QApplication::palette();
    DarkTheme() {
      QPalette dark = before;
      dark.setColor(QPalette::WindowText, Qt::white);
      dark.setColor(QPalette::Window, Qt::black);
      QApplication::setPalette(dark);
    }
    ~DarkTheme() { QApplication::setPalette(before); }
  } theme;
  int moves = 0;
  const auto make = [&](float twipsPerPixel) {
    return std::make_unique<Form3Window>(
        twipsPerPixel, twipsPerPixel,
        Form3Face::Handlers{[] {}, [&](int, int, float, float) { ++moves; }, [] {}});
  };
  auto window = make(15.0F);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("ＺｏｏｍＵＰ"));
  EXPECT_FALSE(window->windowIcon().isNull());
  // Its own frame: a caption 18 pixels high and a one-pixel border.
  EXPECT_EQ(window->client().size(), QSize(227, 273));
  EXPECT_EQ(window->size(), QSize(229, 293));
  EXPECT_EQ(window->client().pos(), QPoint(1, 19));
  // Each label: caption and place, in bold 12-point ＭＳ Ｐゴシック.
  QStringList labels;
  for (const QLabel* label : {window->client().Label1, window->client().LabelX,
                              window->client().Label2, window->client().LabelY}) {
    const QRect at = label->geometry();
    QDebug(&labels.emplace_back()).noquote().nospace()
        << label->text() << ' ' << at.x() << ',' << at.y() << ' ' << at.width() << 'x'
        << at.height();
    EXPECT_EQ(label->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_TRUE(label->font().bold());
    EXPECT_EQ(label->font().pointSize(), 12);
    // Black, whatever the theme.
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::black));
  }
  EXPECT_EQ(labels.join('|').toStdString(),
            "X : 8,240 25x17|Label3 40,240 89x17|Y : 128,240 25x17|Label4 160,240 57x17");
  EXPECT_EQ(make(7.5F)->client().LabelX->geometry(), QRect(80, 480, 178, 34));
  // Only a move over the client area itself reaches the handler, not one over a label.
  sendMouse(window->client(), QEvent::MouseMove, {100, 100}, Qt::NoButton, Qt::NoButton);
  sendMouse(*window->client().LabelX, QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(moves, 1);
  // Shown by SetWindowPos: above everything, without taking the focus.
  applyWindowPos(*window, HWND_TOPMOST, 0, 0, 0, 0, 0x53);
  EXPECT_TRUE(window->Visible());
  EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_TRUE(window->testAttribute(Qt::WA_ShowWithoutActivating));
  window->showMinimized();
  EXPECT_FALSE(window->Visible());
}

TEST(SettingsWindow, LayoutAtEachScaleFontsAndOnlyAThumbDragReachesTheHandler) {
  int drags = 0;
  const auto make = [&](float twipsPerPixel) {
    return std::make_unique<Form4Window>(
        twipsPerPixel, twipsPerPixel,
        Form4Face::Handlers{[&] { ++drags; }, [] {}, [] {}, [] {}, [] {}, [] {}});
  };
  // At 100, 125 and 200 %: the dialog's size, the frame of the options and the red bar.
  QStringList layouts;
  for (const float twipsPerPixel : {15.0F, 12.0F, 7.5F}) {
    const auto dialog = make(twipsPerPixel);
    QDebug(&layouts.emplace_back()).nospace()
        << dialog->size() << dialog->findChild<QGroupBox*>()->geometry()
        << dynamic_cast<QScrollBar&>(dialog->RScroll1()).geometry();
  }
  EXPECT_EQ(layouts.join('|').toStdString(),
            "QSize(320, 288)QRect(8,192 249x57)QRect(0,40 313x17)|"
            "QSize(400, 360)QRect(10,240 311x71)QRect(0,50 391x21)|"
            "QSize(640, 576)QRect(16,384 498x114)QRect(0,80 626x34)");
  const auto dialog = make(15.0F);
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("カスタム設定"));
  EXPECT_FALSE(dialog->windowIcon().isNull());
  QStringList texts;
  for (const QLabel* label : dialog->findChildren<QLabel*>()) {
    if (!label->text().isEmpty()) texts << label->text();
  }
  texts << dialog->findChild<QGroupBox*>()->title();
  for (const QPushButton* button : dialog->findChildren<QPushButton*>()) {
    texts << button->text();
    EXPECT_EQ(button->size(), QSize(57, 25));
    EXPECT_LE(QFontMetrics(button->font()).horizontalAdvance(button->text()), 57 - 6);
  }
  EXPECT_EQ(texts.join('|'), QStringLiteral("ＲED値|ＧＲＥＥＮ値|ＢＵＬＥ値|１|２|３|４|５|６|"
                                            "アルゴリズム|ＯＫ|Ｃａｎｃｅｌ"));
  const QLabel& first = *dialog->findChildren<QLabel*>().front();
  EXPECT_EQ(first.font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
  EXPECT_DOUBLE_EQ(first.font().pointSizeF(), 11.25);
  EXPECT_TRUE(first.font().bold());
  EXPECT_EQ(dynamic_cast<QWidget&>(dialog->Option(6)).geometry(), QRect(208, 24, 17, 17));
  auto& bar = dynamic_cast<QScrollBar&>(dialog->RScroll1());
  EXPECT_EQ(bar.minimum(), 0);
  EXPECT_EQ(bar.maximum(), 255);
  bar.triggerAction(QAbstractSlider::SliderSingleStepAdd);  // an arrow
  bar.triggerAction(QAbstractSlider::SliderPageStepAdd);    // the track
  EXPECT_EQ(bar.value(), 17);
  EXPECT_EQ(drags, 0);
  bar.setSliderDown(true);
  bar.setSliderPosition(40);
  bar.setSliderDown(false);
  EXPECT_EQ(drags, 1);
  EXPECT_EQ(dialog->RScroll1().value(), 40);
}

}  // namespace
}  // namespace kepa
