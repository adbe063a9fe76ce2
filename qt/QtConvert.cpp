#include "qt/QtConvert.h"

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

QString ToQString(const CString& text)
{
    return QString::fromStdWString(text.str());
}

CString FromQString(const QString& text)
{
    return CString(text.toStdWString());
}

QColor ToQColor(COLORREF color)
{
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

COLORREF FromQColor(const QColor& color)
{
    return RGB(color.red(), color.green(), color.blue());
}

QPoint ToQPoint(CPoint point)
{
    return QPoint(point.x, point.y);
}

QRect ToQRect(const CRect& rect)
{
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

CRect FromQRect(const QRect& rect)
{
    return CRect(CPoint(rect.x(), rect.y()), CSize(rect.width(), rect.height()));
}

QString ToQtFileFilter(const CString& sFilter)
{
    const QStringList asParts = ToQString(sFilter).split('|', Qt::SkipEmptyParts);
    QStringList asFilters;
    for (int i = 0; i + 1 < asParts.size(); i += 2) {
        const QString sName = asParts[i].left(asParts[i].indexOf('(')).trimmed();
        asFilters << sName + " (" + QString(asParts[i + 1]).replace(';', ' ') + ")";
    }
    return asFilters.join(";;");
}
