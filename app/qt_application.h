// SPDX-License-Identifier: GPL-3.0-or-later
// What every window of the program needs from the Qt application: a Japanese
// font and Qt's own strings in Japanese.
#pragma once

class QTranslator;

namespace app {

// `qtStrings` must live as long as the application.
void setUpJapanese(QTranslator& qtStrings);

}  // namespace app
