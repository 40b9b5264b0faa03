#include "dialogs/form2.h"

#include "shell/form1.h"

namespace game {

Form2::Form2(Form1& o) : owner(o) {}
Form2::~Form2() = default;

void Form1::mnuKeys_Click() {}

}  // namespace game
