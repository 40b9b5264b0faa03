#include "shell/form1.h"

namespace game {

void Form1::fireShot() {}
void Form1::moveShots() {}

}  // namespace game
