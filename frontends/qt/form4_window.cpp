#include "frontends/qt/form4_window.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QPainter>

#include "core/numeric.h"
#include "frontends/qt/artwork.h"
#include "frontends/qt/fonts.h"
#include "frontends/qt/widget_of.h"

namespace kepa {

Form4Window::Form4Window(float twipsPerPixelX, float twipsPerPixelY, Handlers handlers)
    : QWidget(nullptr, Qt::Window),
      twipsPerPixelX_(twipsPerPixelX),
      twipsPerPixelY_(twipsPerPixelY),
      handlers_(std::move(handlers)) {
  setWindowTitle(QStringLiteral("カスタム設定"));
  setWindowIcon(settingsIcon());
  resize(at(0, 0, 320, 288).size());

  addLabel(this, QStringLiteral("ＲED値"), at(16, 8, 81, 17), true, 11.25);
  RPicture1_ = addSwatch(at(112, 0, 33, 33));
  RLabel_ = addLabel(this, QString(), at(160, 8, 49, 17), false, 12);
  RScroll1_ = addBar(40, [this] { handlers_.rScroll(); });

  addLabel(this, QStringLiteral("ＧＲＥＥＮ値"), at(16, 72, 89, 17), true, 11.25);
  GPicture1_ = addSwatch(at(112, 64, 33, 33));
  GLabel_ = addLabel(this, QString(), at(160, 72, 49, 17), false, 12);
  GScroll1_ = addBar(104, [this] { handlers_.gScroll(); });

  addLabel(this, QStringLiteral("ＢＵＬＥ値"), at(16, 136, 89, 17), true, 11.25);
  BPicture1_ = addSwatch(at(112, 128, 33, 33));
  BLabel_ = addLabel(this, QString(), at(160, 136, 49, 17), false, 12);
  BScroll1_ = addBar(168, [this] { handlers_.bScroll(); });

  auto* Frame1 = new QGroupBox(QStringLiteral("アルゴリズム"), this);
  Frame1->setGeometry(at(8, 192, 249, 57));
  QFont frameFont(kGothicFamily);
  frameFont.setPointSizeF(12);
  frameFont.setBold(true);
  Frame1->setFont(frameFont);
  static const char* const kDigits[] = {"１", "２", "３", "４", "５", "６"};
  for (int k = 0; k < 6; ++k) {
    // Only as wide as its circle: the digit label beside it names it.
    auto* option = new QtOptionButton(Frame1);
    option->setGeometry(at(8 + 40 * k, 24, 17, 17));
    Option_[static_cast<std::size_t>(k)] = option;
    addLabel(Frame1, QString::fromUtf8(kDigits[k]), at(24 + 40 * k, 24, 17, 17), false, 12);
  }

  addButton(QStringLiteral("ＯＫ"), at(176, 256, 57, 25), [this] { handlers_.command1(); });
  addButton(QStringLiteral("Ｃａｎｃｅｌ"), at(240, 256, 57, 25), [this] { handlers_.command2(); });
}

void Form4Window::destroyLater() {
  destroyWidgetLater(*this);
}

QRect Form4Window::at(int left, int top, int width, int height) const {
  return {twipsToPixels(left * 15.0, twipsPerPixelX_), twipsToPixels(top * 15.0, twipsPerPixelY_),
          twipsToPixels(width * 15.0, twipsPerPixelX_),
          twipsToPixels(height * 15.0, twipsPerPixelY_)};
}

QtLabel* Form4Window::addLabel(QWidget* parent, const QString& caption, QRect geometry, bool bold,
                               double points) {
  auto* label = new QtLabel(caption, parent);
  label->setGeometry(geometry);
  QFont font(kGothicFamily);
  font.setPointSizeF(points);
  font.setBold(bold);
  label->setFont(font);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setMargin(0);
  label->setIndent(0);
  return label;
}

QPushButton* Form4Window::addButton(const QString& caption, QRect geometry,
                                    const std::function<void()>& onClick) {
  auto* button = new QPushButton(caption, this);
  button->setGeometry(geometry);
  // The default dialog font, made smaller where the full-width caption would not fit.
  QFont font = button->font();
  const int room = geometry.width() - 6;
  while (font.pointSizeF() > 6.0 && QFontMetrics(font).horizontalAdvance(caption) > room)
    font.setPointSizeF(font.pointSizeF() - 0.5);
  button->setFont(font);
  QObject::connect(button, &QPushButton::clicked, this, [onClick] { onClick(); });
  return button;
}

QtSwatch* Form4Window::addSwatch(QRect geometry) {
  auto* swatch = new QtSwatch(this);
  swatch->setGeometry(geometry);
  return swatch;
}

QtScrollBar* Form4Window::addBar(int top, const std::function<void()>& onDrag) {
  auto* bar = new QtScrollBar(this);
  bar->setGeometry(at(0, top, 313, 17));
  bar->setRange(0, 255);
  bar->setSingleStep(1);
  bar->setPageStep(16);
  // Only a drag of the thumb: the arrows, the track and the keys change the value alone.
  QObject::connect(bar, &QScrollBar::sliderMoved, this, [onDrag](int) { onDrag(); });
  return bar;
}

void Form4Window::closeEvent(QCloseEvent* event) {
  event->accept();
  handlers_.closed();
}

}  // namespace kepa
