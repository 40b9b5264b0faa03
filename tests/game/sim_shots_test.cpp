#include "sim_fixture.h"

using simtest::Sim;

namespace {

struct ShotCase {
    int16_t wave;
    int32_t level;
    int32_t age;
    double y;
};

TEST(SimShots, PositionFollowsAgeAndTheCurrentLevel) {
    const ShotCase cases[] = {
        {0, 1, 0, 7.0},          {0, 1, 1000, 208.53846},  {0, 1, 1010, 210.55385},
        {0, 2, 1010, 212.10769}, {0, 99, 1000, 359.30769}, {0, 150, 1000, 359.30769},
        {0, 9999, 1000, 359.30769}, {0, 0, 1000, 207.0},   {1, 1, 0, 21.0},
        {1, 1, 450, 77.3},       {1, 1, 1330, -10.25513},  {1, 80, 1800, 46.14073},
    };
    for (const auto& c : cases) {
        Sim s(3, c.level);
        const int i = s.placeShot(2, 0, c.wave);
        s.g.sv.advance(c.age);
        s.f.moveShots();
        EXPECT_NEAR(s.f.shotY[i], c.y, 1e-3) << "wave " << c.wave << " level " << c.level << " age " << c.age;
        EXPECT_EQ(s.f.shotLane[i], 2) << "a shot above the heroine row stays live";
    }
}

TEST(SimShots, LevelRiseMovesAShotInFlightForward) {
    Sim s;
    s.f.fireShot();
    s.g.sv.advance(1000);
    s.f.moveShots();
    EXPECT_NEAR(s.f.shotY[0], 208.54, 0.005);
    s.f.level = 2;
    s.g.sv.advance(10);
    s.f.moveShots();
    EXPECT_NEAR(s.f.shotY[0], 212.11, 0.005);
}

struct ExpiryCase {
    int16_t wave;
    int16_t heroY;
    int32_t level;
    int32_t age;
    bool live;
};

TEST(SimShots, ExpiryIsTestedOnTheStoredValue) {
    const ExpiryCase cases[] = {
        {0, 227, 1, 650, true},    // exactly 360
        {0, -35, 1, 1950, true},   // 360.00000000000006 in double, 360 once stored
        {0, 5, 10, 1639, false},   // 360.0154
        {1, 5, 1, 21949, true},    // 374.956
        {1, 5, 1, 21950, false},   // 375.033
    };
    for (const auto& c : cases) {
        Sim s(3, c.level);
        s.f.heroY = c.heroY;
        const int i = s.placeShot(0, 0, c.wave);
        s.g.sv.advance(c.age);
        s.f.moveShots();
        EXPECT_EQ(s.f.shotLane[i] != game::kFreeSlot, c.live) << "wave " << c.wave << " age " << c.age;
    }
}

TEST(SimShots, FireTakesTheFirstFreeSlotOrNothing) {
    Sim s;
    for (int k = 0; k < game::kShotSlots; ++k) s.placeShot(0, 100);
    s.f.heroLane = 3;
    s.f.fireShot();
    EXPECT_EQ(s.liveShots(), game::kShotSlots);
    EXPECT_EQ(s.f.shotLane[5], 0);

    s.f.shotLane[5] = game::kFreeSlot;
    s.f.shotLane[9] = game::kFreeSlot;
    s.g.sv.advance(3);
    s.f.fireShot();
    EXPECT_EQ(s.f.shotLane[5], 3);
    EXPECT_EQ(s.f.shotLane[9], game::kFreeSlot);
}

}  // namespace
