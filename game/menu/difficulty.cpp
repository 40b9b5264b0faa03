#include "shell/form1.h"

namespace game {

void Form1::mnulv_Click(int) {}
void Form1::applyUnlockStage(int16_t) {}

}  // namespace game
