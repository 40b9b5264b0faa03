#include "shell/form1.h"

namespace game {

void Form1::mnuPause_Click() {}
void Form1::mnuBkT_Click() {}
void Form1::mnuQuit_Click() {}

}  // namespace game
