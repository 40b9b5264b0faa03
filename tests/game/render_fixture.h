// Shared set-up of the rendering tests: a started game whose pictures are
// replaced by small strips made here, so a pixel tells exactly which source
// pixel landed on it, whatever the shipped art looks like.
#pragma once

#include <gtest/gtest.h>

#include <QImage>

#include "fake_services.h"

namespace render_test {

using forms::Color;
using forms::rgb;

inline QImage solid(int w, int h, Color c) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor::fromRgb(c));
    return img;
}

// Every pixel carries its own coordinates and is never black, so an additive
// copy over black shows where its source rectangle started.
inline Color coordinateColor(int x, int y) { return rgb(x & 0xFF, 0x80 | (x >> 8), y + 1); }

inline QImage coordinateStrip(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int i = 0; i < w * h; ++i) img.setPixel(i % w, i / w, coordinateColor(i % w, i / w));
    return img;
}

inline void fillRect(QImage& img, int x, int y, int w, int h, Color c) {
    for (int i = 0; i < w * h; ++i) img.setPixel(x + i % w, y + i / w, c);
}

constexpr Color kWhite = rgb(255, 255, 255);
constexpr Color kBlack = rgb(0, 0, 0);

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
