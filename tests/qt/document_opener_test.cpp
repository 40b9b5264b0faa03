// SPDX-License-Identifier: GPL-3.0-or-later
// The help page's opener: a failure is handed on once per request, and presses
// made while a request is pending wait on it instead of stacking boxes.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>
#include <vector>

#include "qt/document_opener.h"

namespace {

using qtfront::DocumentOpener;

// Polls until no opener is left running, collecting what was reported.
std::vector<std::function<void()>> settle(DocumentOpener& opener) {
    std::vector<std::function<void()>> reported;
    for (int turn = 0; turn < 500 && opener.watching(); ++turn) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        opener.poll([&](std::function<void()> f) { reported.push_back(std::move(f)); });
    }
    return reported;
}

TEST(QtDocumentOpener, PressesWhileARequestIsPendingWaitOnIt) {
    const struct {
        const char* program;
        size_t boxes;
        bool pendingAfterwards;  // until its box has been shown and closed
    } cases[] = {
        {.program = "false", .boxes = 1, .pendingAfterwards = true},
        {.program = "true", .boxes = 0, .pendingAfterwards = false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program);
        DocumentOpener opener(c.program);
        int shown = 0;
        for (int press = 0; press < 30; ++press) EXPECT_TRUE(opener.open("/nonexistent/readme.html", [&] { ++shown; }));
        std::vector<std::function<void()>> reported = settle(opener);
        ASSERT_EQ(reported.size(), c.boxes);
        EXPECT_EQ(opener.pending(), c.pendingAfterwards);
        // A press while the box is open waits too.
        EXPECT_TRUE(opener.open("/nonexistent/readme.html", [&] { ++shown; }));
        EXPECT_EQ(opener.watching(), !c.pendingAfterwards) << "a new request only when none is pending";
        for (auto& box : reported) box();
        EXPECT_EQ(shown, static_cast<int>(c.boxes));
        settle(opener);
        EXPECT_FALSE(opener.pending()) << "once the box is closed, the next press is a new request";
    }
}

}  // namespace
