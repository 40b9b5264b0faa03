// SPDX-License-Identifier: GPL-3.0-or-later
// The picture box on screen: the game draws into it a hundred times a second,
// so its view sends the screen only what changed, enlarged in whole blocks.
#pragma once

#include "control_views.h"

namespace qtfront {

// A view of `box`, a child of `parent` (owned by it).
ControlView* makePictureView(forms::PictureBox& box, QWidget* parent);

}  // namespace qtfront
