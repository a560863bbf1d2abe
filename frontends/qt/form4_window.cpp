#include "frontends/qt/form4_window.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QPainter>

#include "core/design_pixels.h"
#include "frontends/qt/artwork.h"
#include "frontends/qt/fonts.h"
#include "frontends/qt/widget_of.h"
#include "settings/form4_design.h"

namespace kepa {

namespace {

// The rectangle of a control inside `frame`, on the frame.
DesignRect inside(const DesignRect& rect, const DesignRect& frame) {
  return {rect.left - frame.left, rect.top - frame.top, rect.width, rect.height};
}

QFont gothic(const DesignFont& design) {
  QFont font(kGothicFamily);
  font.setPointSizeF(design.points);
  font.setBold(design.bold);
  return font;
}

}  // namespace

Form4Window::Form4Window(float twipsPerPixelX, float twipsPerPixelY, Handlers handlers)
    : QWidget(nullptr, Qt::Window),
      twipsPerPixelX_(twipsPerPixelX),
      twipsPerPixelY_(twipsPerPixelY),
      handlers_(std::move(handlers)) {
  setWindowTitle(QString::fromUtf8(kForm4Caption));
  setWindowIcon(settingsIcon());
  resize(at(kForm4Client).size());
  static constexpr std::array kDrags{&Handlers::rScroll, &Handlers::gScroll, &Handlers::bScroll};
  QGroupBox* frame = nullptr;
  DesignRect frameRect;
  for (const Form4ControlDesign& c : form4Design()) {
    const auto i = static_cast<std::size_t>(c.index);
    const QString caption = QString::fromUtf8(c.caption);
    switch (c.control) {
      case Form4Control::ColourName:
        addLabel(this, caption, at(c.rect), c.font);
        break;
      case Form4Control::Swatch:
        swatches_.at(i) = addSwatch(at(c.rect));
        break;
      case Form4Control::Value:
        values_.at(i) = addLabel(this, caption, at(c.rect), c.font);
        break;
      case Form4Control::ScrollBar:
        bars_.at(i) = addBar(at(c.rect), [this, drag = kDrags.at(i)] { (handlers_.*drag)(); });
        break;
      case Form4Control::Frame:
        frame = new QGroupBox(caption, this);
        frame->setGeometry(at(c.rect));
        frame->setFont(gothic(c.font));
        frameRect = c.rect;
        break;
      case Form4Control::Option:
        // Only as wide as its circle: the digit label beside it names it.
        options_.at(i) = new QtOptionButton(frame);
        options_.at(i)->setGeometry(at(inside(c.rect, frameRect)));
        break;
      case Form4Control::OptionDigit:
        addLabel(frame, caption, at(inside(c.rect, frameRect)), c.font);
        break;
      case Form4Control::Ok:
        addButton(caption, at(c.rect), [this] { handlers_.command1(); });
        break;
      case Form4Control::Cancel:
        addButton(caption, at(c.rect), [this] { handlers_.command2(); });
        break;
    }
  }
}

void Form4Window::destroyLater() {
  destroyWidgetLater(*this);
}

QRect Form4Window::at(const DesignRect& design) const {
  const Rect rect = designToPixels(design, twipsPerPixelX_, twipsPerPixelY_);
  return {rect.x, rect.y, rect.width, rect.height};
}

QtLabel* Form4Window::addLabel(QWidget* parent, const QString& caption, QRect geometry,
                               const DesignFont& font) {
  auto* label = new QtLabel(caption, parent);
  label->setGeometry(geometry);
  label->setFont(gothic(font));
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

QtScrollBar* Form4Window::addBar(QRect geometry, const std::function<void()>& onDrag) {
  auto* bar = new QtScrollBar(this);
  bar->setGeometry(geometry);
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
