// The one QApplication of the Qt front's tests, on the offscreen platform.
#pragma once

#include <QWidget>

namespace qttest {

// Shows the widget's window, gives it the keyboard and waits until Qt agrees;
// false when the platform never activates it.
bool activate(QWidget* window);

}  // namespace qttest
