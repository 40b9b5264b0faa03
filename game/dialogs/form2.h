// Form2, the key configuration dialog.
#pragma once

#include "forms/forms.h"

namespace game {

class Form1;

class Form2 {
public:
    explicit Form2(Form1& owner);
    ~Form2();
    Form1& owner;
    forms::Form form{"Form2"};
};

}  // namespace game
