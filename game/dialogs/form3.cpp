#include "dialogs/form3.h"

#include "shell/form1.h"

namespace game {

Form3::Form3(Form1& o) : owner(o) {}
Form3::~Form3() = default;

void Form1::mnuVersion_Click() {}

}  // namespace game
