#include "shell/form1.h"

namespace game {

void Form1::mnuWeb_Click() {}

}  // namespace game
