// What a front end gives the program: a maker for each of its windows.
#pragma once

#include "app/form1_face.h"
#include "clip/form2_face.h"
#include "magnifier/form3_face.h"
#include "settings/form4_face.h"

namespace kepa {

struct WindowFactories {
  Form1Face::Factory form1;
  Form2Face::Factory form2;
  Form3Face::Factory form3;
  Form4Face::Factory form4;
};

}  // namespace kepa
