// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#include "banner.h"

#include <QFont>
#include <QPainter>
#include <QWidget>

namespace Banner {

QString text(const QList<QChar> &letters)
{
    QString result;
    for (const QChar letter : letters)
        result.append(letter.toUpper());
    return result;
}

QPoint origin(const QSize &size)
{
    // Truncated, not rounded: a 399-pixel-wide dialog starts the text at 159.
    return QPoint(static_cast<int>(size.width() * 0.4), size.height() / 2);
}

QFont font()
{
    QFont font;
    font.setFamily(QStringLiteral("微软雅黑"));
    font.setPixelSize(25);
    return font;
}

void paint(QWidget *widget, const QList<QChar> &letters)
{
    const QString words = text(letters);
    QPainter painter(widget);
    painter.setFont(font());
    painter.drawText(QPointF(origin(widget->size())), words);
    // Screen readers cannot read what is painted: tell them the same words,
    // made here like the picture, so they never stand finished in the binary.
    if (widget->accessibleDescription() != words)
        widget->setAccessibleDescription(words);
}

} // namespace Banner
