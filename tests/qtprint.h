#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QStringList>
#include <gtest/gtest.h>
#include <ostream>

// GoogleTest shows Qt's values as text, not as the bytes of the objects.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& texts, std::ostream* os)
{
    *os << '{' << texts.join(QStringLiteral("\", \"")).prepend('"').append('"').toStdString() << '}';
}

inline void PrintTo(const QPointF& p, std::ostream* os)
{
    *os << '(' << p.x() << ", " << p.y() << ')';
}

inline void PrintTo(const QPoint& p, std::ostream* os)
{
    PrintTo(QPointF(p), os);
}

inline void PrintTo(const QSize& size, std::ostream* os)
{
    *os << size.width() << " x " << size.height();
}

// Two pictures alike pixel for pixel, or where and how they differ.
inline ::testing::AssertionResult SamePicture(const QImage& seen, const QImage& expected)
{
    const QImage a = seen.convertToFormat(QImage::Format_RGB32), b = expected.convertToFormat(QImage::Format_RGB32);
    if (a.size() != b.size())
        return ::testing::AssertionFailure() << "a picture of " << a.width() << " x " << a.height() << " pixels, not "
                                             << b.width() << " x " << b.height();
    int differ = 0, x0 = 0, y0 = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y) && !differ++)
                x0 = x, y0 = y;
    if (!differ)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differ << " pixels differ, the first at (" << x0 << ", " << y0 << "): "
                                         << QColor(a.pixel(x0, y0)).name().toStdString() << " instead of "
                                         << QColor(b.pixel(x0, y0)).name().toStdString();
}
