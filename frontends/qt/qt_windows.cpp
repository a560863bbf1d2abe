#include "frontends/qt/qt_windows.h"

#include "frontends/qt/form1_window.h"
#include "frontends/qt/form2_window.h"
#include "frontends/qt/form3_window.h"
#include "frontends/qt/form4_window.h"

namespace kepa {

WindowFactories qtWindows() {
  return {
      .form1 = [](float twipsPerPixel, Form1Face::Handlers handlers) -> std::unique_ptr<Form1Face> {
        return std::make_unique<Form1Window>(twipsPerPixel, std::move(handlers));
      },
      .form2 = [](Surface image, float twipsPerPixelX, float twipsPerPixelY,
                  Form2Face::Handlers handlers) -> std::unique_ptr<Form2Face> {
        return std::make_unique<Form2Window>(std::move(image), twipsPerPixelX, twipsPerPixelY,
                                             std::move(handlers));
      },
      .form3 = [](float twipsPerPixelX, float twipsPerPixelY,
                  Form3Face::Handlers handlers) -> std::unique_ptr<Form3Face> {
        return std::make_unique<Form3Window>(twipsPerPixelX, twipsPerPixelY, std::move(handlers));
      },
      .form4 = [](float twipsPerPixelX, float twipsPerPixelY,
                  Form4Face::Handlers handlers) -> std::unique_ptr<Form4Face> {
        return std::make_unique<Form4Window>(twipsPerPixelX, twipsPerPixelY, std::move(handlers));
      },
  };
}

}  // namespace kepa
