#include "shell/form1.h"

namespace game {

void Form1::fireVolley() {}
void Form1::fireWaveShots() {}
void Form1::freezeEnemies() {}

}  // namespace game
