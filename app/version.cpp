#include "app/version.h"

namespace kepa {

const char* programVersion() {
  return KEPA_VERSION;
}

}  // namespace kepa
