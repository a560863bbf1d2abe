#include "magnifier/form3.h"

namespace kepa {

Form3::Form3() : window_([] { return std::make_unique<Form3Window>(); }, [this] { Form_Load(); }) {}

}  // namespace kepa
