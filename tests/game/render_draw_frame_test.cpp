// SPDX-License-Identifier: GPL-3.0-or-later
// drawFrame: the blink and SUDDEN rules, the banner timer, plain against packed
// blending, and every picture of a whole game against the pictures it always
// gave (which pins the sprites, the glow and the trail pieces).
#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

#include "game_fixtures.h"
#include "shell/play_keys.h"
#include "render/blend_library.h"

namespace {

using forms::Color;
using forms::rgb;
constexpr Color kWhite = rgb(255, 255, 255), kBlack = rgb(0, 0, 0);

QImage solid(int w, int h, Color c) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor::fromRgb(c));
    return img;
}

// A started game over a plain background, with no banner and no gauges in the
// way unless a test asks for them.
class RenderFrame : public ::testing::Test {
protected:
    void SetUp() override {
        g.startUp();
        setBackground(kBlack);
        g.f.level = g.f.bannerLevel = 1, g.f.difficulty = 4;
        g.f.bannerUntil = g.f.frameTick = g.sv.clock;
    }
    void setBackground(Color c) { g.f.picBG.setPicture(solid(game::kPlaySize, game::kPlaySize, c)); }
    Color main(int x, int y) const { return g.f.picMain.pixel(x, y); }
    fake::Game g;
};

// Enemy strip: frame 0 all black, frame 1 black in its top half only.
TEST_F(RenderFrame, EnemiesBlinkRoundAndHideBelowTheSuddenHorizon) {
    const Color bg = rgb(90, 90, 200);
    setBackground(bg);
    QImage strip = solid(66, 47, kWhite);
    for (int i = 0; i < 32 * 46; ++i) strip.setPixel(i % 32, i / 32, kBlack);
    for (int i = 0; i < 32 * 23; ++i) strip.setPixel(33 + i % 32, i / 32, kBlack);
    g.f.picTEKI.setPicture(strip);
    struct Case {
        float y;
        int16_t frame, turnState;
        bool sudden;
        int top;
        bool first, second;  // drawn in the first and the second frame
    };
    const Case cases[] = {
        // Half to even.
        {.y = 200.5f, .frame = 0, .turnState = 1, .sudden = false, .top = 200, .first = true, .second = true},
        // Hesitating.
        {.y = 200.0f, .frame = 1, .turnState = 2, .sudden = false, .top = 200, .first = false, .second = true},
        {.y = 200.0f, .frame = 0, .turnState = 3, .sudden = false, .top = 200, .first = false, .second = true},
        {.y = 125.0f, .frame = 0, .turnState = 0, .sudden = true, .top = 125, .first = true, .second = true},
        {.y = 125.5f, .frame = 0, .turnState = 0, .sudden = true, .top = 126, .first = false, .second = false},
    };
    const int x = g.f.laneX[3] - 13;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "y " << c.y << " turn " << c.turnState << " sudden " << c.sudden);
        g.f.enemyLane[7] = 3;
        g.f.enemyY[7] = c.y;
        g.f.enemyFrame[7] = c.frame;
        g.f.enemyTurnState[7] = c.turnState;
        g.f.blinkPhase = 0;
        g.f.mnulv[7].checked = c.sudden;
        for (bool drawn : {c.first, c.second}) {
            g.f.drawFrame();
            EXPECT_EQ(main(x + 4, c.top + 4) == kBlack, drawn);
            if (!drawn) continue;
            EXPECT_EQ(main(x, c.top), kBlack) << "the top left corner";
            EXPECT_EQ(main(x + 31, c.top + 22), kBlack) << "the right edge";
            EXPECT_EQ(main(x + 32, c.top), bg) << "right of the sprite";
            EXPECT_EQ(main(x + 4, c.top - 1), bg) << "above the sprite";
            EXPECT_EQ(main(x + 4, c.top + 46), bg) << "below the sprite";
            EXPECT_EQ(main(x + 4, c.top + 30), c.frame == 0 ? kBlack : bg) << "the lower half shows the frame";
        }
    }
}

TEST_F(RenderFrame, BannerShowsFor1500MsAcrossTheTickWrapAndNeverAtAGameStart) {
    const Color gold = rgb(250, 200, 20);
    g.f.picLv.setPicture(solid(314, 74, gold));
    // Both corners of the banner, so a banner cut short shows too.
    const auto banner = [&] { return main(16, 52) == gold && main(329, 125) == gold; };
    // Every picture of the get-ready scene and the first play frame, whatever
    // frame the last game ended on: none (the first game), a minute ago, and
    // ten seconds before the tick reaches 2^31 or wraps at 2^32.
    struct GameStart {
        int32_t clock, lastFrame;
    };
    const GameStart starts[] = {
        {.clock = 1'000'000, .lastFrame = 0},
        {.clock = 1'000'000, .lastFrame = 940'000},
        {.clock = INT32_MAX - 10'000, .lastFrame = 5},
        {.clock = -10'000, .lastFrame = INT32_MAX - 99},
    };
    for (const GameStart& s : starts) {
        SCOPED_TRACE(testing::Message() << "a game started at " << s.clock << " after " << s.lastFrame);
        g.sv.clock = s.clock;
        g.f.frameTick = s.lastFrame;
        int shown = 0;
        g.sv.onIdle = [&] { shown += banner(); };
        g.sv.onDoEvents = g.sv.onIdle;
        g.f.scene = 1;
        g.f.runPass();
        g.f.runPass();
        g.sv.onIdle = nullptr;
        g.sv.onDoEvents = nullptr;
        EXPECT_EQ(g.f.scene, 2) << "playing";
        EXPECT_EQ(shown, 0) << "pictures with the banner";
    }
    struct Moment {
        int32_t after;
        bool shown;
    };
    // Not when bannerUntil equals frameTick.
    const Moment moments[] = {
        {.after = 0, .shown = true},
        {.after = 1499, .shown = true},
        {.after = 1500, .shown = false},
    };
    for (int32_t start : {1'000'000, INT32_MAX - 700}) {
        g.sv.clock = start;
        g.f.bannerLevel = g.f.level++;
        for (const Moment& m : moments) {
            g.f.frameTick = game::tickAdd(start, m.after);
            g.f.drawFrame();
            EXPECT_EQ(banner(), m.shown) << start << " + " << m.after;
        }
    }
}

// Everything that glows, in plenty, over several seeded frames: the packed
// routine must give exactly the plain one's pixels.
std::vector<QImage> seededFrames(int16_t mmxMode) {
    fake::Game g;
    g.startUp(777);
    g.f.mmxMode = mmxMode;
    std::vector<QImage> frames;
    for (int n = 0; n < 12; ++n) {
        for (int i = 0; i < game::kShotSlots; ++i) {
            g.f.shotLane[i] = static_cast<int16_t>(i % 5);
            g.f.shotY[i] = 20.0f + 10.7f * i + 9.25f * n;
            g.f.shotWave[i] = i % 3 == 0;
        }
        for (int k = 0; k < game::kParticleSlots; ++k) {
            g.f.particleX[k] = static_cast<int16_t>(20 + 31 * k);
            g.f.particleY[k] = static_cast<int16_t>(60 + 25 * k);
            g.f.particleAge[k] = static_cast<int16_t>((k + n) % 16);
        }
        g.f.drawFrame();
        frames.push_back(g.f.picMain.image());
    }
    return frames;
}

TEST(RenderMmx, PackedAndPlainFramesAreIdentical) {
    const std::vector<QImage> plain = seededFrames(0), packed = seededFrames(PX_FLAG_MMX);
    ASSERT_EQ(plain.size(), packed.size());
    for (size_t n = 0; n < plain.size(); ++n) EXPECT_TRUE(plain[n] == packed[n]) << "frame " << n;
    EXPECT_FALSE(plain.front() == plain.back()) << "the frames move";
}

// A whole seeded game as the player sees it: three seconds of title stamps, the
// opening box, twelve seconds of NORMAL with SPILITUAL FEVER (the heaviest
// play) with a bot on the keys, then no keys until an enemy gets through, and
// the violent ending; every picture shown, in order. The pinned values were
// taken before the drawing code was made faster (and taken again once a game
// started without the level-up banner); only a change meant to be seen (the
// art, the game's course) may take new ones.
constexpr uint64_t kFnvBasis = 0xCBF29CE484222325ull;
constexpr uint64_t kWholeGameHash = 0x694E728424467709ull;  // every picture's colour bits, in order
const std::string kPictureList = std::string(LANEBEAM_SOURCE_DIR) + "/tests/game/render_whole_game_pictures.txt";

// FNV-1a over a picture's colour bits, a pixel at a time, going on from `h`.
uint64_t hashPicture(const QImage& picture, uint64_t h = kFnvBasis) {
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) h = (h ^ (row[x] & 0xFFFFFF)) * 0x100000001B3ull;
    }
    return h;
}

// Plays the seeded game, handing every picture shown to `see` until it returns
// false; true when the game ended and came back to the title.
bool playWholeGame(int16_t mmxMode, const std::function<bool(const QImage&)>& see) {
    fake::FolderGame fg;
    game::Form1& f = fg.f;
    fg.g.startUp(2024);
    f.mmxMode = mmxMode;
    f.mnulv_Click(3);
    f.mnulv[6].checked = true;
    fg.g.sv.otherAnswer = "hash";
    fg.g.sv.keyScript = [&f](int vk, int32_t t) {
        if (f.scene == 0) return vk == 32 && t > 1'003'000;
        if (t > 1'016'000) return false;
        return (vk == f.KeyS5 && (t / 40) % 2 == 0) ||
               (vk == game::laneKey(f, (t / 200) % game::kLanes) && t % 200 < 100) ||
               (vk == f.KeyS7 && (t / 500) % 4 == 0) || (vk == f.KeyS6 && (t / 300) % 5 == 0);
    };
    int seen = 0;
    bool stopped = false;
    const auto showNew = [&] {
        if (stopped || fg.g.sv.repaints == seen) return;
        seen = fg.g.sv.repaints;
        stopped = !see(f.picMain.peek());
    };
    fg.g.sv.onIdle = showNew;
    bool ended = false;
    for (int pass = 0; pass < 5000 && !stopped && !(ended && f.scene == 0); ++pass) {
        f.runPass();
        ended = ended || f.scene == 3;
        showNew();
    }
    return ended && f.scene == 0;
}

// The pinned hash of every picture, one a line ("index hash", in hexadecimal).
std::vector<uint64_t> pinnedPictures() {
    std::vector<uint64_t> hashes;
    std::ifstream in(kPictureList);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        size_t index = 0;
        uint64_t hash = 0;
        if (!(fields >> index >> std::hex >> hash) || index != hashes.size()) return {};
        hashes.push_back(hash);
    }
    return hashes;
}

std::string pictureList(const std::vector<uint64_t>& hashes) {
    std::ostringstream out;
    out << "# Every picture of the seeded whole game of render_draw_frame_test.cpp, in the\n"
           "# order shown: its index and the FNV-1a hash of its colour bits.\n";
    for (size_t i = 0; i < hashes.size(); ++i)
        out << i << " " << std::hex << std::setw(16) << std::setfill('0') << hashes[i] << std::dec << "\n";
    return out.str();
}

// Picture `index` of the game drawn in `mmxMode`; a null picture when the game
// shows fewer.
QImage wholeGamePicture(int16_t mmxMode, size_t index) {
    QImage picture;
    size_t n = 0;
    playWholeGame(mmxMode, [&](const QImage& shown) {
        if (n++ < index) return true;
        picture = shown.copy();
        return false;
    });
    return picture;
}

// Replays the game to the first picture that differs from the pinned one and
// keeps it in a new folder (with the one before it and, when the other blend
// mode still draws it as pinned, the expected one), with the list of hashes
// this build gives; says what it wrote.
std::string explainDifference(int16_t mmxMode, size_t first, const std::vector<uint64_t>& shown,
                              const std::vector<uint64_t>& pinned) {
    std::string folder = (std::filesystem::temp_directory_path() / "lanebeam-pictures-XXXXXX").string();
    if (!::mkdtemp(folder.data())) return "no folder for the pictures";
    std::ostringstream told;
    told << "picture " << first << " of " << pinned.size() << " pinned (" << shown.size()
         << " shown) is the first that differs; kept in " << folder << ":";
    const auto keep = [&](const QImage& picture, const std::string& name, const std::string& what) {
        if (picture.isNull() || !picture.save(QString::fromStdString(folder + "/" + name))) return;
        told << "\n  " << name << ": " << what;
    };
    const std::string mode = mmxMode ? "packed" : "plain";
    keep(wholeGamePicture(mmxMode, first), "actual.png", "what the " + mode + " blending draws now");
    if (first > 0) keep(wholeGamePicture(mmxMode, first - 1), "before.png", "the last picture still as pinned");
    const int16_t otherMode = mmxMode ? 0 : PX_FLAG_MMX;
    const QImage other = wholeGamePicture(otherMode, first);
    if (first < pinned.size() && !other.isNull() && hashPicture(other) == pinned[first])
        keep(other, "expected.png", "the pinned picture, as the other blending still draws it");
    else
        told << "\n  (no expected picture: the other blending does not draw the pinned one either)";
    std::ofstream(folder + "/render_whole_game_pictures.txt") << pictureList(shown);
    told << "\n  render_whole_game_pictures.txt: every hash as this build draws it, to replace\n  " << kPictureList
         << "\n  when the change is meant to be seen";
    return told.str();
}

TEST(RenderWholeGame, EveryPictureIsTheOneItAlwaysWas) {
    const std::vector<uint64_t> pinned = pinnedPictures();
    EXPECT_EQ(pinned.size(), 1352u) << "the pictures pinned in " << kPictureList;
    for (int16_t mode : {int16_t{0}, int16_t{PX_FLAG_MMX}}) {
        SCOPED_TRACE(mode ? "packed blending" : "plain blending");
        std::vector<uint64_t> shown;
        uint64_t whole = kFnvBasis;
        const bool ended = playWholeGame(mode, [&](const QImage& picture) {
            shown.push_back(hashPicture(picture));
            whole = hashPicture(picture, whole);
            return true;
        });
        EXPECT_TRUE(ended) << "the game ended and came back to the title";
        EXPECT_EQ(whole, kWholeGameHash) << "every picture in order";
        const auto differs = std::ranges::mismatch(shown, pinned).in1;
        const size_t first = static_cast<size_t>(differs - shown.begin());
        if (first < std::max(shown.size(), pinned.size()))
            ADD_FAILURE() << explainDifference(mode, first, shown, pinned);
    }
}

}  // namespace
