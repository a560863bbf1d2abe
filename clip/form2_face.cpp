#include "clip/form2_face.h"

#include <cstdlib>

#include "clip/region_drop.h"
#include "core/numeric.h"

namespace kepa {

Form2Face::Form2Face(Surface screenImage, float twipsPerPixelX, float twipsPerPixelY,
                     Handlers handlers)
    : image(std::move(screenImage)), handlers_(std::move(handlers)) {
  const auto place = [&](Picture& picture, float left, float top, float width, float height) {
    picture.setSize(twipsToPixels(width, twipsPerPixelX), twipsToPixels(height, twipsPerPixelY));
    picture.move({twipsToPixels(left, twipsPerPixelX), twipsToPixels(top, twipsPerPixelY)});
    picture.setVisible(false);
  };
  place(Picture1, 2040, 120, 1815, 1335);
  place(Picture2, 2040, 1680, 1815, 1215);
  CMD.owner = this;
}

void Form2Face::repaintOutline(const FrameShape& frame) {
  for (const Rect& edge : frame.edges()) {
    if (!edge.empty()) invalidate(edge);
  }
}

void Form2Face::changeShape1(const std::function<void(FrameShape&)>& change) {
  repaintOutline(shape1_);
  change(shape1_);
  repaintOutline(shape1_);
}

Rect Form2Face::picture1Area() const {
  if (!Picture1.visible()) return {};
  return {Picture1.position().x, Picture1.position().y, Picture1.width(), Picture1.height()};
}

void Form2Face::changePicture1(const std::function<void(Picture&)>& change) {
  const Rect before = picture1Area();
  change(Picture1);
  if (!before.empty()) invalidate(before);
  const Rect after = picture1Area();
  if (!after.empty()) invalidate(after);
}

void Form2Face::replaceImage(Surface screenImage) {
  image = std::move(screenImage);
  imageChanged();
}

bool Form2Face::onPicture1(Point at) const {
  const Rect area = picture1Area();
  return !area.empty() && at.x >= area.x && at.y >= area.y && at.x < area.x + area.width &&
         at.y < area.y + area.height;
}

void Form2Face::moveDragOutline(std::optional<Point> at) {
  repaintOutline(dragOutline_);
  dragOutline_.visible = at.has_value();
  if (at) {
    // Where the drop would put the picture: its centre on the pointer.
    const Point topLeft = dropPosition(static_cast<float>(at->x), static_cast<float>(at->y),
                                       Picture1.width(), Picture1.height());
    dragOutline_.left = topLeft.x;
    dragOutline_.top = topLeft.y;
    dragOutline_.width = Picture1.width();
    dragOutline_.height = Picture1.height();
  }
  repaintOutline(dragOutline_);
}

void Form2Face::mousePressed(int button, int shift, Point at) {
  if (onPicture1(at)) {
    // Picture1 has no press handler of its own: only a left press starts its click or drag.
    if (button == 1 && !pictureGrab_) {
      pictureGrab_ = at;
      draggingPicture_ = false;
    }
    return;
  }
  if (pictureGrab_) return;  // another button during a press on Picture1
  handlers_.mouseDown(button, shift, static_cast<float>(at.x), static_cast<float>(at.y));
}

void Form2Face::mouseMoved(int buttons, int shift, Point at) {
  if (pictureGrab_) {
    if (!draggingPicture_ &&
        std::abs(at.x - pictureGrab_->x) + std::abs(at.y - pictureGrab_->y) >= dragDistance()) {
      draggingPicture_ = true;
    }
    if (draggingPicture_) moveDragOutline(at);
    return;
  }
  // Without a button held, the moves over Picture1 are its own (it ignores them).
  if (buttons == 0 && onPicture1(at)) return;
  handlers_.mouseMove(buttons, shift, static_cast<float>(at.x), static_cast<float>(at.y));
}

void Form2Face::mouseReleased(int button, int shift, Point at, bool onOwnSurface) {
  if (pictureGrab_) {
    if (button != 1) return;
    const bool dragged = draggingPicture_;
    pictureGrab_.reset();
    draggingPicture_ = false;
    if (!dragged) {
      handlers_.picture1Click();
      return;
    }
    moveDragOutline(std::nullopt);
    // A drop over Picture1 itself is Picture1's, which has no drop handler; a drop over a
    // window above this one (the magnifier) is not on this window's surface at all.
    if (!onPicture1(at) && onOwnSurface) {
      handlers_.dragDrop(static_cast<float>(at.x), static_cast<float>(at.y));
    }
    return;
  }
  handlers_.mouseUp(button, shift, static_cast<float>(at.x), static_cast<float>(at.y));
}

}  // namespace kepa
