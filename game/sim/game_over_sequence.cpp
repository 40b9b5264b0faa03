#include "shell/form1.h"

namespace game {

void Form1::playGameOverSequence() {}

}  // namespace game
