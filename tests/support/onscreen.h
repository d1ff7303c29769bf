#pragma once

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWindow>

// The same picture to the eye: every pixel within 2/255 per channel (a selection highlight blended in a cell's
// own pixmap may round one step apart from the same highlight blended on the window). On a difference both
// pictures are saved next to the test's temporary files for a look.
inline bool samePicture(const QImage& actual, const QImage& expected, const char* name)
{
    auto close = [](QRgb a, QRgb b) {
        return qAbs(qRed(a) - qRed(b)) <= 2 && qAbs(qGreen(a) - qGreen(b)) <= 2 && qAbs(qBlue(a) - qBlue(b)) <= 2;
    };
    const QImage a = actual.convertToFormat(QImage::Format_RGB32);
    const QImage b = expected.convertToFormat(QImage::Format_RGB32);
    bool same = a.size() == b.size();
    if (!same)
        qWarning() << name << "sizes differ:" << a.size() << b.size();
    for (int y = 0; same && y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (!close(a.pixel(x, y), b.pixel(x, y))) {
                qWarning() << name << "first difference at" << x << y << a.pixelColor(x, y) << b.pixelColor(x, y);
                same = false;
                break;
            }
        }
    }
    if (!same) {
        actual.save(QDir::temp().filePath(QStringLiteral("%1-actual.png").arg(QLatin1String(name))));
        expected.save(QDir::temp().filePath(QStringLiteral("%1-expected.png").arg(QLatin1String(name))));
    }
    return same;
}

// What a view's window really shows after the pending paints: the backing store, with pixels that were moved by
// scrolling rather than repainted (grab() would paint everything afresh).
inline QImage onScreen(QAbstractItemView& view)
{
    QCoreApplication::processEvents();
    const QPoint at = view.viewport()->mapTo(&view, QPoint(0, 0));
    const QPixmap window = view.windowHandle()->screen()->grabWindow(view.winId());
    return window.toImage().copy(QRect(at, view.viewport()->size())).convertToFormat(QImage::Format_RGB32);
}
