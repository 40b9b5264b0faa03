#include "window_size_file.h"

#include <QFile>
#include <QSaveFile>

#include <cstdio>

namespace qtfront {

namespace {

constexpr int kLargestSide = 32767;  // X's limit; anything larger is damage
constexpr qint64 kLongestFile = 64;

QByteArray render(const WindowSize& size) {
    return QStringLiteral("size %1 %2\nmaximized %3\nfullscreen %4\n")
        .arg(size.size.width())
        .arg(size.size.height())
        .arg(size.maximized ? 1 : 0)
        .arg(size.fullScreen ? 1 : 0)
        .toLatin1();
}

}  // namespace

std::optional<WindowSize> readWindowSize(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray text = file.read(kLongestFile + 1);
    int w = 0, h = 0, maximized = 0, fullScreen = 0;
    if (text.size() > kLongestFile ||
        std::sscanf(text.constData(), "size %d %d maximized %d fullscreen %d", &w, &h, &maximized, &fullScreen) != 4)
        return std::nullopt;
    const WindowSize read{{w, h}, maximized == 1, fullScreen == 1};
    // Only the file this program writes is taken: any other byte is damage.
    if (w < 1 || h < 1 || w > kLargestSide || h > kLargestSide || render(read) != text) return std::nullopt;
    return read;
}

bool writeWindowSize(const QString& path, const WindowSize& size) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const QByteArray text = render(size);
    return file.write(text) == text.size() && file.commit();
}

}  // namespace qtfront
