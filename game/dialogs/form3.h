// Form3, the version dialog.
#pragma once

#include "forms/forms.h"

namespace game {

class Form1;

class Form3 {
public:
    explicit Form3(Form1& owner);
    ~Form3();
    Form1& owner;
    forms::Form form{"Form3"};
};

}  // namespace game
