#include "shell/form1.h"

namespace game {

void Form1::mnuCODE_Click() {}
void Form1::mnuCapture_Click() {}

}  // namespace game
