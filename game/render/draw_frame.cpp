#include "shell/form1.h"

namespace game {

void Form1::drawFrame() {}
void Form1::addSprite(int, int, int, int, const forms::PictureBox&, int, int) {}
void Form1::maskedSprite(int, int, int, int, const forms::PictureBox&, int, int, int, int) {}

}  // namespace game
