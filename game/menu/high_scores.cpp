#include "shell/form1.h"

namespace game {

void Form1::mnuHS_Click() {}

}  // namespace game
