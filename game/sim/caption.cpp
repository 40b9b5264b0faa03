#include "shell/form1.h"

namespace game {

void Form1::updateCaption() {}

}  // namespace game
