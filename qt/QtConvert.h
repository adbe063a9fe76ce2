#pragma once
// Conversions between the framework's value types and Qt's, for code in qt/.
// Callers include the Qt headers of the types they use.

#include "platform/Color.h"
#include "platform/Geometry.h"
#include "platform/String.h"

class QColor;
class QPoint;
class QRect;
class QSize;
class QString;

QString ToQString(const CString& text);
CString FromQString(const QString& text);
QColor ToQColor(COLORREF color);
COLORREF FromQColor(const QColor& color);
QPoint ToQPoint(CPoint point);
// Rectangles keep their pixels: CRect's right and bottom are exclusive.
QRect ToQRect(const CRect& rect);
CRect FromQRect(const QRect& rect);
// A file dialog filter of the library ("Text (*.txt)|*.txt|All (*.*)|*.*||")
// as Qt's ("Text (*.txt);;All (*.*)"): each name without what it had in
// brackets, then its patterns in brackets.
QString ToQtFileFilter(const CString& sFilter);
