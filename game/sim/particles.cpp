#include "shell/form1.h"

namespace game {

void Form1::spawnParticle(int16_t, int16_t) {}
void Form1::ageParticles() {}

}  // namespace game
