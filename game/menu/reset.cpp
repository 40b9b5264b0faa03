#include "shell/form1.h"

namespace game {

void Form1::mnuReset_Click() {}

}  // namespace game
