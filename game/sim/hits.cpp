#include "shell/form1.h"

namespace game {

void Form1::resolveHits() {}
void Form1::gainGauge(int) {}

}  // namespace game
