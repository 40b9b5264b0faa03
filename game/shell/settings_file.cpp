#include "shell/form1.h"

namespace game {

void Form1::readSettingsFile() {}
bool Form1::writeSettingsFile() { return true; }

}  // namespace game
