#include "frontends/qt/form1_window.h"

#include <QMouseEvent>
#include <QPainter>

#include "app/version.h"
#include "core/colour.h"
#include "core/design_pixels.h"
#include "core/numeric.h"
#include "frontends/qt/artwork.h"
#include "frontends/qt/fonts.h"
#include "frontends/qt/mouse_buttons.h"
#include "frontends/qt/widget_of.h"

namespace kepa {

namespace {

QColor qtColour(std::uint32_t bgr) {
  const Colour colour(bgr);
  return {colour.red(), colour.green(), colour.blue()};
}

}  // namespace

Form1Window::Form1Window(float twipsPerPixel, Handlers handlers)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint),
      Form1Face(twipsPerPixel),
      handlers_(std::move(handlers)),
      timer1_(*this, [this] { handlers_.timer1(); }),
      artwork_(splashArtwork()) {
  setWindowTitle(QStringLiteral("KEPA"));
  setWindowIcon(kepaWindowIcon());
  setFixedSize(sizeInPixels().x, sizeInPixels().y);
  QPalette palette;
  palette.setColor(QPalette::Window, qtColour(0x00800000));
  setPalette(palette);
  setAutoFillBackground(true);
  setMouseTracking(true);

  Label1[0] = addLabel(QStringLiteral("KEPA"), 0x000000FF, 120, 240, 2655, 975, QFont::Bold, 36);
  Label1[1] = addLabel(QStringLiteral("KEPA"), 0x00FFFFFF, 1200, 600, 2535, 975, QFont::Bold, 36);
  // The version is the project's, the one the package and --version carry too.
  Label2 = addLabel(QStringLiteral("VER  ") + QString::fromUtf8(programVersion()), 0x000000FF, 2520,
                    1440, 2775, 735, QFont::Normal, 24);
  Label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  Label2->setAutoFillBackground(true);
  QPalette opaque = Label2->palette();
  opaque.setColor(QPalette::Window, qtColour(0x00000000));
  Label2->setPalette(opaque);
  Label3 = addLabel(QStringLiteral("Present's"), 0x00FFFFFF, 360, 2640, 1695, 495, QFont::Bold, 12);
  Label4 = addLabel(QStringLiteral("Orvane Project"), 0x00FFFFFF, 2160, 2520, 3135, 615,
                    QFont::Bold, 18);
}

void Form1Window::destroyLater() {
  destroyWidgetLater(*this);
}

QLabel* Form1Window::addLabel(const QString& caption, std::uint32_t textColour, float left,
                              float top, float width, float height, int weight, int points) {
  auto* label = new QLabel(caption, this);
  label->setGeometry(twipsToPixels(left, twipsPerPixel()), twipsToPixels(top, twipsPerPixel()),
                     twipsToPixels(width, twipsPerPixel()), twipsToPixels(height, twipsPerPixel()));
  QFont font(kHeavyFamily);
  font.setPointSize(points);
  font.setWeight(static_cast<QFont::Weight>(weight));
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, qtColour(textColour));
  label->setPalette(palette);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(true);
  label->setMargin(0);
  label->setIndent(0);
  label->setContentsMargins(0, 0, 0, 0);
  // Mouse moves over a label reach the window, as over the rest of the splash.
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  return label;
}

void Form1Window::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // The picture is 161 x 161 design pixels and grows with the scale.
  const int side = designToPixels(artwork_.width(), twipsPerPixel());
  painter.setRenderHint(QPainter::SmoothPixmapTransform, side % artwork_.width() != 0);
  painter.drawImage(QRect(0, 0, side, side), artwork_);
}

void Form1Window::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  handlers_.mouseMove(buttonsOf(event->buttons()), shiftOf(event->modifiers()),
                      static_cast<float>(at.x()) * twipsPerPixel(),
                      static_cast<float>(at.y()) * twipsPerPixel());
}

}  // namespace kepa
