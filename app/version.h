// The program's version: the project's version in the build, which the package and the splash
// take as well.
#pragma once

namespace kepa {

[[nodiscard]] const char* programVersion();

}  // namespace kepa
