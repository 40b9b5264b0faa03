#include "shell/form1.h"

namespace game {

void Form1::drawStatus() {}

}  // namespace game
