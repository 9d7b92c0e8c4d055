// Draws the application's icons as PNG files. The icons are plain vector drawings on a 24-unit grid,
// rendered at their base size and at twice that size ("name@2x.png") for high-density screens.
//
// Usage: servo_icon_painter [output folder]   (default: the resources/img folder of the source tree)
// The PNG files are kept in the repository; run this again only after changing a drawing.

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <functional>

namespace {

using Drawing = std::function<void(QPainter&)>;

const QColor kBlue(0x2D, 0x7F, 0xF9);
const QColor kGreen(0x2E, 0x9E, 0x5B);
const QColor kOrange(0xF2, 0x76, 0x2E);
const QColor kAmber(0xE0, 0x9B, 0x00);
const QColor kRed(0xD9, 0x44, 0x3A);
const QColor kGrey(0x7A, 0x87, 0x94);
const QColor kLightGrey(0x9A, 0xA5, 0xB1);
const QColor kDark(0x45, 0x5A, 0x64);
const QColor kYellow(0xF5, 0xB7, 0x00);

QPen roundPen(const QColor& color, qreal width)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void disc(QPainter& p, const QColor& color, const QRectF& rect = QRectF(1, 1, 22, 22))
{
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(rect);
}

// An arrow from one point to another with an open head at the end.
void arrow(QPainter& p, const QPointF& from, const QPointF& to, const QColor& color, qreal width, qreal head)
{
    p.setPen(roundPen(color, width));
    p.setBrush(Qt::NoBrush);
    p.drawLine(from, to);
    const QLineF line(to, from);
    QLineF wing1 = line;
    wing1.setLength(head);
    wing1.setAngle(line.angle() + 40);
    QLineF wing2 = line;
    wing2.setLength(head);
    wing2.setAngle(line.angle() - 40);
    p.drawPolyline(QPolygonF({wing1.p2(), to, wing2.p2()}));
}

void checkMark(QPainter& p, const QColor& color, qreal width, const QPolygonF& points)
{
    p.setPen(roundPen(color, width));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(points);
}

void cross(QPainter& p, const QColor& color, qreal width, const QRectF& box)
{
    p.setPen(roundPen(color, width));
    p.drawLine(box.topLeft(), box.bottomRight());
    p.drawLine(box.topRight(), box.bottomLeft());
}

void pencil(QPainter& p, const QColor& color)
{
    p.save();
    p.translate(12, 12);
    p.rotate(45);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawRoundedRect(QRectF(-1.9, -7.5, 3.8, 10.5), 0.8, 0.8);
    p.drawPolygon(QPolygonF({QPointF(-1.9, 4.1), QPointF(1.9, 4.1), QPointF(0, 7.6)}));
    p.restore();
}

void upDownArrows(QPainter& p, const QColor& color)
{
    arrow(p, QPointF(8.5, 17.5), QPointF(8.5, 6.5), color, 2.2, 3.6);
    arrow(p, QPointF(15.5, 6.5), QPointF(15.5, 17.5), color, 2.2, 3.6);
}

void padlock(QPainter& p, const QColor& color)
{
    p.setPen(roundPen(color, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(8.5, 5.5, 7, 8), 0, 180 * 16);
    p.drawLine(QPointF(8.5, 9.5), QPointF(8.5, 11));
    p.drawLine(QPointF(15.5, 9.5), QPointF(15.5, 11));
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawRoundedRect(QRectF(6.5, 10.5, 11, 8), 1.5, 1.5);
}

void eye(QPainter& p, const QColor& color)
{
    QPainterPath almond;
    almond.moveTo(4, 12);
    almond.quadTo(12, 3.5, 20, 12);
    almond.quadTo(12, 20.5, 4, 12);
    p.setPen(roundPen(color, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(almond);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(QPointF(12, 12), 2.8, 2.8);
}

// A status badge in the lower right corner: a check on green or a cross on red.
void badge(QPainter& p, bool ok)
{
    disc(p, Qt::white, QRectF(11, 11, 13, 13));
    disc(p, ok ? kGreen : kRed, QRectF(12, 12, 11, 11));
    if (ok) {
        checkMark(p, Qt::white, 1.8,
                  QPolygonF({QPointF(14.6, 17.6), QPointF(16.8, 19.8), QPointF(20.6, 15.2)}));
    } else {
        cross(p, Qt::white, 1.8, QRectF(15.3, 15.3, 4.4, 4.4));
    }
}

void tray(QPainter& p, const QColor& color)
{
    p.setPen(roundPen(color, 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(4, 14), QPointF(4, 20), QPointF(20, 20), QPointF(20, 14)}));
}

void page(QPainter& p, const QRectF& rect, const QColor& outline, int lines, const QColor& lineColor)
{
    p.setPen(roundPen(outline, 1.6));
    p.setBrush(Qt::white);
    p.drawRoundedRect(rect, 1.2, 1.2);
    p.setPen(roundPen(lineColor, 1.4));
    const qreal step = (rect.height() - 4) / (lines + 1);
    for (int i = 1; i <= lines; ++i) {
        const qreal y = rect.top() + 2 + step * i;
        p.drawLine(QPointF(rect.left() + 2.2, y), QPointF(rect.right() - 2.2, y));
    }
}

void magnifier(QPainter& p, const QColor& color, const QPointF& centre, qreal radius, qreal width)
{
    p.setPen(roundPen(color, width));
    p.setBrush(Qt::white);
    p.drawEllipse(centre, radius, radius);
    const qreal d = radius * 0.72;
    p.setPen(roundPen(color, width * 1.3));
    p.drawLine(centre + QPointF(d, d), centre + QPointF(d + radius * 0.8, d + radius * 0.8));
}

void glyphText(QPainter& p, const QString& text, const QRectF& box, const QColor& color)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(int(box.height()));
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF bounds = path.boundingRect();
    p.save();
    p.translate(box.center() - bounds.center());
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(path);
    p.restore();
}

void twoPages(QPainter& p)
{
    page(p, QRectF(2, 3, 9, 18), kDark, 4, kLightGrey);
    page(p, QRectF(13, 3, 9, 18), kDark, 4, kLightGrey);
    p.setPen(roundPen(kOrange, 1.6));
    p.drawLine(QPointF(15.2, 11.3), QPointF(19.8, 11.3));
    arrow(p, QPointF(8.5, 12), QPointF(16, 12), kBlue, 1.8, 2.6);
    arrow(p, QPointF(15.5, 12), QPointF(8, 12), kBlue, 1.8, 2.6);
}

// ---- the icons -----------------------------------------------------------------------------------

void drawReadWrite(QPainter& p)
{
    disc(p, kGreen);
    upDownArrows(p, Qt::white);
}

void drawReadOnly(QPainter& p)
{
    disc(p, kBlue);
    eye(p, Qt::white);
}

void drawReadWriteStopped(QPainter& p)
{
    disc(p, kAmber);
    upDownArrows(p, Qt::white);
}

void drawFactory(QPainter& p)
{
    disc(p, kGrey);
    padlock(p, Qt::white);
}

void drawWriteOnly(QPainter& p)
{
    disc(p, kOrange);
    pencil(p, Qt::white);
}

void drawEffectAtOnce(QPainter& p)
{
    const QPolygonF bolt({QPointF(14, 1.5), QPointF(4.5, 13.5), QPointF(11, 13.5), QPointF(9, 22.5),
                          QPointF(19.5, 9.8), QPointF(13, 9.8), QPointF(15.8, 1.5)});
    p.setPen(roundPen(QColor(0xB0, 0x7F, 0x00), 1.2));
    p.setBrush(kYellow);
    p.drawPolygon(bolt);
}

void drawEffectAfterReset(QPainter& p)
{
    p.setPen(roundPen(kBlue, 2.8));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4, 5, 16, 16), 125 * 16, 290 * 16);
    p.drawLine(QPointF(12, 2.5), QPointF(12, 11.5));
}

void drawEffectAfterStop(QPainter& p)
{
    QPolygonF octagon;
    for (int i = 0; i < 8; ++i) {
        QLineF ray(QPointF(12, 12), QPointF(23, 12));
        ray.setAngle(22.5 + 45 * i);
        octagon << ray.p2();
    }
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawPolygon(octagon);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 8, 8, 8));
}

void drawClear(QPainter& p)
{
    p.setPen(roundPen(kDark, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(4, 6), QPointF(20, 6));
    p.drawPolyline(QPolygonF({QPointF(9.5, 6), QPointF(9.5, 3.5), QPointF(14.5, 3.5), QPointF(14.5, 6)}));
    p.drawPolygon(QPolygonF({QPointF(6, 8.5), QPointF(7.2, 21), QPointF(16.8, 21), QPointF(18, 8.5)}));
    p.setPen(roundPen(kDark, 1.5));
    p.drawLine(QPointF(10, 11), QPointF(10.3, 18));
    p.drawLine(QPointF(14, 11), QPointF(13.7, 18));
}

void drawCheckOn(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawRoundedRect(QRectF(2.5, 2.5, 19, 19), 3.5, 3.5);
    checkMark(p, Qt::white, 2.8, QPolygonF({QPointF(6.5, 12.5), QPointF(10.5, 16.5), QPointF(17.5, 8)}));
}

void drawCheckOff(QPainter& p)
{
    p.setPen(roundPen(kLightGrey, 1.8));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(3, 3, 18, 18), 3.5, 3.5);
}

void drawStatus(QPainter& p, bool write, bool ok)
{
    const QColor color = write ? kOrange : kBlue;
    if (write) {
        arrow(p, QPointF(9, 19), QPointF(9, 4), color, 2.6, 4.5);
    } else {
        arrow(p, QPointF(9, 4), QPointF(9, 19), color, 2.6, 4.5);
    }
    badge(p, ok);
}

void drawMenuCheck(QPainter& p)
{
    checkMark(p, kBlue, 3.0, QPolygonF({QPointF(4.5, 12.5), QPointF(9.5, 17.5), QPointF(19.5, 6.5)}));
}

void drawSearch(QPainter& p)
{
    magnifier(p, kDark, QPointF(10, 10), 6, 2.4);
}

void drawBranchClosed(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kDark);
    p.drawPolygon(QPolygonF({QPointF(8.5, 5.5), QPointF(17, 12), QPointF(8.5, 18.5)}));
}

void drawBranchOpen(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kDark);
    p.drawPolygon(QPolygonF({QPointF(5.5, 8.5), QPointF(18.5, 8.5), QPointF(12, 17)}));
}

void drawUp(QPainter& p)
{
    arrow(p, QPointF(12, 20.5), QPointF(12, 4), kBlue, 3.0, 7.5);
}

void drawDown(QPainter& p)
{
    arrow(p, QPointF(12, 3.5), QPointF(12, 20), kBlue, 3.0, 7.5);
}

void drawBatchDownload(QPainter& p)
{
    arrow(p, QPointF(12, 1.5), QPointF(12, 11), kBlue, 2.4, 4);
    p.setPen(roundPen(kDark, 1.6));
    p.drawPolyline(
        QPolygonF({QPointF(4.5, 15.5), QPointF(4.5, 13.5), QPointF(19.5, 13.5), QPointF(19.5, 15.5)}));
    p.drawLine(QPointF(12, 13.5), QPointF(12, 15.5));
    p.setPen(Qt::NoPen);
    p.setBrush(kDark);
    for (qreal x : {1.5, 9.0, 16.5}) {
        p.drawRoundedRect(QRectF(x, 15.5, 6, 7), 1, 1);
    }
    p.setBrush(QColor(0x7C, 0xD9, 0x92));
    for (qreal x : {1.5, 9.0, 16.5}) {
        p.drawRect(QRectF(x + 1.3, 16.8, 3.4, 1.8));
    }
}

void drawImport(QPainter& p)
{
    tray(p, kDark);
    arrow(p, QPointF(12, 2.5), QPointF(12, 15.5), kBlue, 2.6, 5);
}

void drawExport(QPainter& p)
{
    tray(p, kDark);
    arrow(p, QPointF(12, 15.5), QPointF(12, 2.5), kBlue, 2.6, 5);
}

void drawPrint(QPainter& p)
{
    p.setPen(roundPen(kDark, 1.6));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 2.5, 10, 7));
    p.setPen(Qt::NoPen);
    p.setBrush(kDark);
    p.drawRoundedRect(QRectF(2.5, 8.5, 19, 9), 2, 2);
    p.setBrush(QColor(0x7C, 0xD9, 0x92));
    p.drawEllipse(QPointF(18.5, 11), 1, 1);
    page(p, QRectF(7, 13.5, 10, 8.5), kDark, 2, kLightGrey);
}

void drawRefresh(QPainter& p)
{
    p.setPen(roundPen(kBlue, 2.6));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4.5, 4.5, 15, 15), 60 * 16, 280 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    // The head sits where the arc starts (60 degrees), pointing along the turn.
    p.drawPolygon(QPolygonF({QPointF(12.5, 1.2), QPointF(18.8, 5.4), QPointF(12.2, 8.8)}));
}

void drawReadAll(QPainter& p)
{
    page(p, QRectF(3, 2.5, 13, 18), kDark, 4, kLightGrey);
    disc(p, Qt::white, QRectF(11, 11, 13, 13));
    disc(p, kBlue, QRectF(12, 12, 11, 11));
    arrow(p, QPointF(17.5, 14), QPointF(17.5, 21), Qt::white, 1.8, 3);
}

void drawCompare(QPainter& p)
{
    twoPages(p);
}

void drawFind(QPainter& p)
{
    page(p, QRectF(2.5, 2.5, 14, 18), kDark, 4, kLightGrey);
    magnifier(p, kBlue, QPointF(14.5, 14), 4.5, 2.2);
}

void drawHelp(QPainter& p)
{
    disc(p, kBlue);
    glyphText(p, QStringLiteral("?"), QRectF(6, 5, 12, 14), Qt::white);
}

void drawLogo(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(1, 1, 22, 22), 5, 5);
    p.setPen(roundPen(Qt::white, 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(12, 12), 6.5, 6.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12, 12), 2.4, 2.4);
    p.setPen(roundPen(Qt::white, 2.0));
    p.drawLine(QPointF(12, 3.2), QPointF(12, 6));
    p.drawLine(QPointF(12, 18), QPointF(12, 20.8));
    p.drawLine(QPointF(3.2, 12), QPointF(6, 12));
    p.drawLine(QPointF(18, 12), QPointF(20.8, 12));
}

void drawDrive(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kDark);
    p.drawRoundedRect(QRectF(5, 1.5, 14, 21), 2, 2);
    p.setBrush(QColor(0x7C, 0xD9, 0x92));
    p.drawRect(QRectF(7.5, 4, 9, 4.5));
    p.setBrush(Qt::white);
    for (int i = 0; i < 3; ++i) {
        p.drawEllipse(QPointF(8.5 + 3.5 * i, 18.5), 1.2, 1.2);
    }
    p.setPen(roundPen(kLightGrey, 1.0));
    for (int i = 0; i < 3; ++i) {
        p.drawLine(QPointF(8, 11 + 2 * i), QPointF(16, 11 + 2 * i));
    }
}

void drawFuncode(QPainter& p)
{
    p.setPen(roundPen(kDark, 1.6));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 3.5, 19, 17));
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawRect(QRectF(3.3, 4.3, 17.4, 3.7));
    p.setPen(roundPen(kDark, 1.1));
    for (qreal y : {11.5, 15.0}) {
        p.drawLine(QPointF(3, y), QPointF(21, y));
    }
    p.drawLine(QPointF(9, 8), QPointF(9, 20));
}

void drawStatistics(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawRect(QRectF(4, 11, 4, 9));
    p.setBrush(kGreen);
    p.drawRect(QRectF(10, 5, 4, 15));
    p.setBrush(kOrange);
    p.drawRect(QRectF(16, 14, 4, 6));
    p.setPen(roundPen(kDark, 1.8));
    p.drawLine(QPointF(2.5, 21), QPointF(21.5, 21));
}

void drawRecords(QPainter& p)
{
    page(p, QRectF(4.5, 3.5, 15, 19), kDark, 4, kLightGrey);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(8.5, 1.5, 7, 4), 1.2, 1.2);
}

void drawMonitored(QPainter& p)
{
    p.setPen(roundPen(kDark, 1.8));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(2, 3.5, 20, 13.5), 1.5, 1.5);
    p.drawLine(QPointF(12, 17), QPointF(12, 20.5));
    p.drawLine(QPointF(7.5, 20.8), QPointF(16.5, 20.8));
    p.setPen(roundPen(kGreen, 1.8));
    p.drawPolyline(QPolygonF({QPointF(4, 11), QPointF(8, 11), QPointF(10, 6.5), QPointF(13, 14.5),
                              QPointF(15, 9.5), QPointF(16.5, 11), QPointF(20, 11)}));
}

void drawAlarm(QPainter& p)
{
    QPainterPath bell;
    bell.moveTo(4, 18);
    bell.lineTo(20, 18);
    bell.quadTo(17.5, 15.5, 17.5, 11);
    bell.cubicTo(17.5, 6.5, 15, 4, 12, 4);
    bell.cubicTo(9, 4, 6.5, 6.5, 6.5, 11);
    bell.quadTo(6.5, 15.5, 4, 18);
    p.setPen(roundPen(QColor(0xB0, 0x6A, 0x00), 1.2));
    p.setBrush(QColor(0xF2, 0xA1, 0x00));
    p.drawPath(bell);
    p.drawEllipse(QPointF(12, 20), 2.2, 2.2);
    p.drawEllipse(QPointF(12, 3), 1.3, 1.3);
}

void drawFaults(QPainter& p)
{
    QPainterPath triangle;
    triangle.moveTo(12, 2);
    triangle.lineTo(22.5, 21);
    triangle.lineTo(1.5, 21);
    triangle.closeSubpath();
    p.setPen(roundPen(kRed, 1.6));
    p.setBrush(kRed);
    p.drawPath(triangle);
    p.setPen(roundPen(Qt::white, 2.6));
    p.drawLine(QPointF(12, 8.5), QPointF(12, 14));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12, 17.8), 1.5, 1.5);
}

void drawOnline(QPainter& p)
{
    disc(p, QColor(0x2E, 0x9E, 0x5B, 60), QRectF(2, 2, 20, 20));
    disc(p, kGreen, QRectF(6, 6, 12, 12));
}

void drawOffline(QPainter& p)
{
    p.setPen(roundPen(kGrey, 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(5, 5, 14, 14));
    p.setPen(roundPen(kRed, 2.2));
    p.drawLine(QPointF(4, 20), QPointF(20, 4));
}

void drawClose(QPainter& p)
{
    cross(p, kDark, 2.2, QRectF(6, 6, 12, 12));
}

void drawMaximize(QPainter& p)
{
    p.setPen(roundPen(kDark, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(5, 5, 14, 14));
}

void drawRestore(QPainter& p)
{
    p.setPen(roundPen(kDark, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(4, 8.5, 11.5, 11.5));
    p.drawPolyline(QPolygonF(
        {QPointF(8.5, 8.5), QPointF(8.5, 4), QPointF(20, 4), QPointF(20, 15.5), QPointF(15.5, 15.5)}));
}

void drawBoxInformation(QPainter& p)
{
    disc(p, kBlue);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12, 6.8), 1.8, 1.8);
    p.drawRoundedRect(QRectF(10.4, 10, 3.2, 9), 1.2, 1.2);
}

void drawBoxQuestion(QPainter& p)
{
    disc(p, kBlue);
    glyphText(p, QStringLiteral("?"), QRectF(6, 5, 12, 14), Qt::white);
}

void drawBoxWarning(QPainter& p)
{
    QPainterPath triangle;
    triangle.moveTo(12, 2);
    triangle.lineTo(22.5, 21);
    triangle.lineTo(1.5, 21);
    triangle.closeSubpath();
    p.setPen(roundPen(kAmber, 1.6));
    p.setBrush(kAmber);
    p.drawPath(triangle);
    p.setPen(roundPen(Qt::white, 2.6));
    p.drawLine(QPointF(12, 8.5), QPointF(12, 14));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12, 17.8), 1.5, 1.5);
}

void drawBoxSuccess(QPainter& p)
{
    disc(p, kGreen);
    checkMark(p, Qt::white, 2.6, QPolygonF({QPointF(6.8, 12.5), QPointF(10.5, 16.2), QPointF(17.5, 8.2)}));
}

struct IconSpec
{
    QString name; // path below img/, without suffix
    int size;     // base size in pixels
    Drawing draw;
};

QList<IconSpec> iconSpecs()
{
    return {
        {"Funcode/rw_0", 16, drawReadWrite},
        {"Funcode/rw_1", 16, drawReadOnly},
        {"Funcode/rw_2", 16, drawReadWriteStopped},
        {"Funcode/rw_3", 16, drawFactory},
        {"Funcode/rw_4", 16, drawWriteOnly},
        {"Funcode/check_on", 16, drawCheckOn},
        {"Funcode/check_off", 16, drawCheckOff},
        {"Funcode/status_read_ok", 16, [](QPainter& p) { drawStatus(p, false, true); }},
        {"Funcode/status_read_failed", 16, [](QPainter& p) { drawStatus(p, false, false); }},
        {"Funcode/status_write_ok", 16, [](QPainter& p) { drawStatus(p, true, true); }},
        {"Funcode/status_write_failed", 16, [](QPainter& p) { drawStatus(p, true, false); }},
        {"Servo/Effect_0", 16, drawEffectAtOnce},
        {"Servo/Effect_1", 16, drawEffectAfterReset},
        {"Servo/Effect_2", 16, drawEffectAfterStop},
        {"Servo/clear", 16, drawClear},
        {"topWidgetImge/checked", 16, drawMenuCheck},
        {"commonImge/search", 16, drawSearch},
        {"commonImge/branch-closed", 16, drawBranchClosed},
        {"commonImge/branch-open", 16, drawBranchOpen},
        {"toolbar/up", 24, drawUp},
        {"toolbar/down", 24, drawDown},
        {"toolbar/batch_download", 24, drawBatchDownload},
        {"toolbar/import", 24, drawImport},
        {"toolbar/export", 24, drawExport},
        {"toolbar/print", 24, drawPrint},
        {"toolbar/refresh", 24, drawRefresh},
        {"toolbar/read_all", 24, drawReadAll},
        {"toolbar/compare", 24, drawCompare},
        {"toolbar/find", 24, drawFind},
        {"toolbar/help", 24, drawHelp},
        {"app/logo", 24, drawLogo},
        {"app/drive", 24, drawDrive},
        {"app/funcode", 24, drawFuncode},
        {"app/statistics", 24, drawStatistics},
        {"app/records", 24, drawRecords},
        {"app/monitored", 24, drawMonitored},
        {"app/compare", 24, drawCompare},
        {"app/alarm", 24, drawAlarm},
        {"app/faults", 24, drawFaults},
        {"app/online", 16, drawOnline},
        {"app/offline", 16, drawOffline},
        {"dialog/close", 16, drawClose},
        {"dialog/maximize", 16, drawMaximize},
        {"dialog/restore", 16, drawRestore},
        {"dialog/information", 32, drawBoxInformation},
        {"dialog/question", 32, drawBoxQuestion},
        {"dialog/warning", 32, drawBoxWarning},
        {"dialog/success", 32, drawBoxSuccess},
    };
}

bool render(const QString& file, int pixels, const Drawing& draw)
{
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixels / 24.0, pixels / 24.0);
    draw(painter);
    painter.end();
    return image.save(file, "PNG");
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(SERVO_ICON_OUTPUT_DIR);
    QTextStream out(stdout);
    int failures = 0;
    const QList<IconSpec> specs = iconSpecs();
    for (const IconSpec& icon : specs) {
        const QString base = QDir(outDir).filePath(icon.name);
        QDir().mkpath(QFileInfo(base).absolutePath());
        const bool ok =
            render(base + ".png", icon.size, icon.draw) && render(base + "@2x.png", icon.size * 2, icon.draw);
        out << (ok ? "wrote " : "FAILED ") << base << ".png\n";
        failures += ok ? 0 : 1;
    }
    return failures == 0 ? 0 : 1;
}
