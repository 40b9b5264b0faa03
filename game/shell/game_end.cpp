#include "shell/form1.h"

namespace game {

void Form1::gameEnd() {}

}  // namespace game
