// Shared set-up of the rendering tests: a started game over a plain
// background, its pictures replaced where a test needs to tell exactly which
// source pixel landed where.
#pragma once

#include <gtest/gtest.h>

#include <QImage>

#include "fake_services.h"

namespace render_test {

using forms::Color;
using forms::rgb;
constexpr Color kWhite = rgb(255, 255, 255), kBlack = rgb(0, 0, 0);

inline QImage solid(int w, int h, Color c) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor::fromRgb(c));
    return img;
}
inline void fillRect(QImage& img, int x, int y, int w, int h, Color c) {
    for (int i = 0; i < w * h; ++i) img.setPixel(x + i % w, y + i / w, c);
}

class RenderFixture : public ::testing::Test {
protected:
    void SetUp() override {
        g.startUp();
        setBackground(kBlack);
        // No banner, no gauges in the way unless a test asks for them.
        g.f.level = g.f.bannerLevel = 1;
        g.f.bannerUntil = g.f.frameTick = g.sv.clock;
        g.f.difficulty = 4;
    }
    void setBackground(Color c) { g.f.picBG.setPicture(solid(game::kPlaySize, game::kPlaySize, c)); }
    Color main(int x, int y) const { return g.f.picMain.pixel(x, y); }
    fake::Game g;
};

}  // namespace render_test
