#include "shell/form1.h"

namespace game {

bool Form1::spawnTest() { return false; }
void Form1::spawnEnemies() {}
void Form1::spawnOneEnemy() {}
void Form1::moveEnemies() {}

}  // namespace game
