#include "frontends/win32/win32_windows.h"

#include "frontends/win32/form1_window.h"
#include "frontends/win32/form2_window.h"
#include "frontends/win32/form3_window.h"
#include "frontends/win32/form4_window.h"

namespace kepa {

WindowFactories win32Windows(Win32Desktop& desktop) {
  return {
      .form1 = [&desktop](float twipsPerPixel,
                          Form1Face::Handlers handlers) -> std::unique_ptr<Form1Face> {
        return std::make_unique<Form1Window>(twipsPerPixel, std::move(handlers), desktop.origin());
      },
      .form2 = [&desktop](Surface image, float twipsPerPixelX, float twipsPerPixelY,
                          Form2Face::Handlers handlers) -> std::unique_ptr<Form2Face> {
        return std::make_unique<Form2Window>(std::move(image), twipsPerPixelX, twipsPerPixelY,
                                             std::move(handlers), desktop.origin());
      },
      .form3 = [&desktop](float twipsPerPixelX, float twipsPerPixelY,
                          Form3Face::Handlers handlers) -> std::unique_ptr<Form3Face> {
        return std::make_unique<Form3Window>(twipsPerPixelX, twipsPerPixelY, std::move(handlers),
                                             desktop.origin());
      },
      .form4 = [](float twipsPerPixelX, float twipsPerPixelY,
                  Form4Face::Handlers handlers) -> std::unique_ptr<Form4Face> {
        return std::make_unique<Form4Window>(twipsPerPixelX, twipsPerPixelY, std::move(handlers));
      },
  };
}

}  // namespace kepa
