// Draws the two reference pictures the program shows beside its main window:
// the circle of fifths and the map of chord transitions. Run at build time;
// writes Fifths.bmp and Tmap.bmp into the folder given as the first argument,
// and PNG copies of both into the folder given as an optional second one.

#include <QtCore/QDir>
#include <QtCore/QtGlobal>
#include <QtCore/QLineF>
#include <QtCore/QPointF>
#include <QtCore/QRectF>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QtMath>
#include <QtGui/QColor>
#include <QtGui/QFont>
#include <QtGui/QFontMetricsF>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QPen>
#include <QtGui/QPolygonF>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <utility>

namespace hq {
namespace {

constexpr int kFifthsWidthPx = 280;
constexpr int kFifthsHeightPx = 280;
constexpr int kTmapWidthPx = 572;
constexpr int kTmapHeightPx = 256;

// One calm palette for both pictures.
const QColor kPaper{0xF7, 0xF5, 0xEF};
const QColor kInk{0x2B, 0x36, 0x45};
const QColor kSoftInk{0x5E, 0x6A, 0x78};

QFont sansFont(int pixelSize, QFont::Weight weight = QFont::Normal) {
    // Any sans-serif fontconfig offers will do; the layout measures its text.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif, QFont::PreferAntialias);
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

QImage blankImage(int widthPx, int heightPx) {
    QImage image(widthPx, heightPx, QImage::Format_RGB32);
    image.setDevicePixelRatio(1.0);
    // 96 dots per inch, so viewers that honour the header show it 1:1.
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(kPaper);
    return image;
}

void prepare(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
}

/// Draws text (lines split at '\n') centred on a point.
void drawCentred(QPainter& painter, QPointF centre, const QString& text) {
    const QFontMetricsF metrics(painter.font());
    const QStringList lines = text.split(QLatin1Char('\n'));
    const double lineHeightPx = metrics.height();
    double top = centre.y() - lineHeightPx * static_cast<double>(lines.size()) / 2.0;
    for (const QString& line : lines) {
        const double widthPx = metrics.horizontalAdvance(line);
        painter.drawText(QPointF(centre.x() - widthPx / 2.0, top + metrics.ascent()), line);
        top += lineHeightPx;
    }
}

/// A filled head whose tip is at `tip`, pointing along `direction` (any length).
void drawArrowHead(QPainter& painter, QPointF tip, QPointF direction, const QColor& colour) {
    const double lengthPx = 9.0;
    const double halfWidthPx = 4.2;
    const double norm = std::hypot(direction.x(), direction.y());
    if (norm <= 0.0) {
        return;
    }
    const QPointF along = direction / norm;
    const QPointF across(-along.y(), along.x());
    const QPointF base = tip - along * lengthPx;
    const QPolygonF head{{tip, base + across * halfWidthPx, base - across * halfWidthPx}};
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(head);
    painter.restore();
}

// --- Circle of fifths ------------------------------------------------------

// Clockwise from the top, each step a fifth up.
constexpr std::array<std::string_view, 12> kMajorKeys{
    "C", "G", "D", "A", "E", "B", "F#/Gb", "Db", "Ab", "Eb", "Bb", "F",
};
// The long name takes two lines: at the bottom there is room downwards only.
constexpr std::array<std::string_view, 12> kRelativeMinors{
    "Am", "Em", "Bm", "F#m", "C#m", "G#m", "D#m\nEbm", "Bbm", "Fm", "Cm", "Gm", "Dm",
};

QPointF onCircle(QPointF centre, double radiusPx, int position0to11) {
    const double angle = qDegreesToRadians(-90.0 + 30.0 * position0to11);
    return centre + QPointF(std::cos(angle), std::sin(angle)) * radiusPx;
}

QImage drawFifths() {
    QImage image = blankImage(kFifthsWidthPx, kFifthsHeightPx);
    QPainter painter(&image);
    prepare(painter);

    const QPointF centre(kFifthsWidthPx / 2.0, kFifthsHeightPx / 2.0);
    const double ringRadiusPx = 134.0;
    const double majorRadiusPx = 117.0;
    const double tipRadiusPx = 97.0;
    const double minorRadiusPx = 70.0;

    painter.setPen(QPen(QColor(0xC9, 0xCF, 0xD6), 1.0));
    painter.setBrush(QColor(0xFB, 0xFA, 0xF6));
    painter.drawEllipse(centre, ringRadiusPx, ringRadiusPx);

    // The star {12/5}: each line runs to the key five places further round.
    QPolygonF star;
    for (int step = 0; step < 12; ++step) {
        star << onCircle(centre, tipRadiusPx, (step * 5) % 12);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xDD, 0xE7, 0xF1));
    painter.drawPolygon(star, Qt::WindingFill);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0x7F, 0x9C, 0xC0, 110), 1.0));
    painter.drawPolygon(star);

    // Its outline alone, a little stronger, so the twelve points read first.
    QPainterPath outline;
    outline.addPolygon(star);
    outline.closeSubpath();
    outline.setFillRule(Qt::WindingFill);
    painter.setPen(QPen(QColor(0x5B, 0x7B, 0xA6), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(outline.simplified());

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x3E, 0x5F, 0x8A));
    for (int position = 0; position < 12; ++position) {
        painter.drawEllipse(onCircle(centre, tipRadiusPx, position), 2.6, 2.6);
    }

    painter.setFont(sansFont(15, QFont::Bold));
    painter.setPen(QColor(0x1F, 0x35, 0x50));
    for (int position = 0; position < 12; ++position) {
        const auto& name = kMajorKeys[static_cast<std::size_t>(position)];
        drawCentred(painter, onCircle(centre, majorRadiusPx, position),
                    QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    }

    // The minors sit on the star; a soft plate keeps them clear of its lines.
    painter.setFont(sansFont(11));
    const QFontMetricsF minorMetrics(painter.font());
    for (int position = 0; position < 12; ++position) {
        const auto& name = kRelativeMinors[static_cast<std::size_t>(position)];
        const QString text = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
        const QPointF at = onCircle(centre, minorRadiusPx, position);
        const QSizeF size = minorMetrics.size(0, text);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xF4, 0xF7, 0xFA, 225));
        painter.drawRoundedRect(QRectF(at - QPointF(size.width() / 2.0 + 3.0, size.height() / 2.0 + 1.0),
                                       size + QSizeF(6.0, 2.0)),
                                4.0, 4.0);
        painter.setPen(QColor(0x3C, 0x6E, 0x71));
        drawCentred(painter, at, text);
    }

    painter.setFont(sansFont(10, QFont::Bold));
    painter.setPen(QColor(0x1F, 0x35, 0x50));
    drawCentred(painter, centre + QPointF(0.0, -7.0), QStringLiteral("major"));
    painter.setFont(sansFont(10));
    painter.setPen(QColor(0x3C, 0x6E, 0x71));
    drawCentred(painter, centre + QPointF(0.0, 7.0), QStringLiteral("minor"));
    return image;
}

// --- Map of chord transitions ------------------------------------------------

enum class Function { Tonic, Predominant, Dominant };

struct Swatch {
    QColor fill;
    QColor border;
};

Swatch swatchFor(Function function) {
    switch (function) {
    case Function::Tonic:
        return {QColor(0xD4, 0xE5, 0xF3), QColor(0x4F, 0x7F, 0xAE)};
    case Function::Predominant:
        return {QColor(0xD9, 0xEC, 0xD5), QColor(0x55, 0x92, 0x5B)};
    case Function::Dominant:
        return {QColor(0xF7, 0xDE, 0xCB), QColor(0xB8, 0x72, 0x44)};
    }
    return {kPaper, kInk};
}

struct ChordNode {
    const char* numeral;
    const char* exampleInC;
    Function function;
    double xPx;
    double yPx;
};

constexpr double kNodeWidthPx = 64.0;
constexpr double kNodeHeightPx = 44.0;
constexpr double kTopRowPx = 86.0;
constexpr double kMiddleRowPx = 131.0;
constexpr double kBottomRowPx = 176.0;

enum Node : std::size_t { I, ii, iii, IV, V, vi, viiDim, NodeCount };

// Read left to right: the usual flow from the tonic chords through the
// predominants to the dominants and home again.
const std::array<ChordNode, NodeCount> kNodes{{
    {"I", "C", Function::Tonic, 516.0, kMiddleRowPx},
    {"ii", "Dm", Function::Predominant, 286.0, kTopRowPx},
    {"iii", "Em", Function::Tonic, 56.0, kMiddleRowPx},
    {"IV", "F", Function::Predominant, 286.0, kBottomRowPx},
    {"V", "G", Function::Dominant, 402.0, kTopRowPx},
    {"vi", "Am", Function::Tonic, 170.0, kMiddleRowPx},
    {"vii\u00B0", "B\u00B0", Function::Dominant, 402.0, kBottomRowPx},
}};

QPointF centreOf(Node node) { return {kNodes[node].xPx, kNodes[node].yPx}; }

/// Where the ray from the node's centre towards `towards` leaves its box, plus a gap.
QPointF boxExit(Node node, QPointF towards, double gapPx) {
    const QPointF centre = centreOf(node);
    const QPointF d = towards - centre;
    const double halfW = kNodeWidthPx / 2.0 + gapPx;
    const double halfH = kNodeHeightPx / 2.0 + gapPx;
    const double tx = d.x() != 0.0 ? halfW / std::abs(d.x()) : 1e9;
    const double ty = d.y() != 0.0 ? halfH / std::abs(d.y()) : 1e9;
    return centre + d * std::min(tx, ty);
}

const QColor kArrowColour{0x55, 0x60, 0x6E};

void strokeWithHead(QPainter& painter, const QPainterPath& path, QPointF tip, QPointF direction,
                    Qt::PenStyle style = Qt::SolidLine) {
    QPen pen(kArrowColour, 1.5, style, Qt::FlatCap, Qt::RoundJoin);
    if (style != Qt::SolidLine) {
        pen.setDashPattern({4.0, 3.0});
    }
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    drawArrowHead(painter, tip, direction, kArrowColour);
}

void drawStraightArrow(QPainter& painter, Node from, Node to) {
    const QPointF start = boxExit(from, centreOf(to), 3.0);
    const QPointF tip = boxExit(to, centreOf(from), 3.0);
    const QLineF line(start, tip);
    // Stop the shaft inside the head, so the tip stays sharp.
    const QPointF shaftEnd = line.pointAt(std::max(0.0, 1.0 - 6.0 / line.length()));
    QPainterPath path(start);
    path.lineTo(shaftEnd);
    strokeWithHead(painter, path, tip, tip - start);
}

/// A cubic curve from `start` to `tip`; the head follows the curve's last tangent.
void drawCurvedArrow(QPainter& painter, QPointF start, QPointF c1, QPointF c2, QPointF tip,
                     Qt::PenStyle style = Qt::SolidLine) {
    const QPointF direction = tip - c2;
    const double norm = std::hypot(direction.x(), direction.y());
    const QPointF shaftEnd = norm > 0.0 ? tip - direction / norm * 6.0 : tip;
    QPainterPath path(start);
    path.cubicTo(c1, c2, shaftEnd);
    strokeWithHead(painter, path, tip, direction, style);
}

void drawNode(QPainter& painter, const ChordNode& node) {
    const Swatch swatch = swatchFor(node.function);
    const QRectF box(node.xPx - kNodeWidthPx / 2.0, node.yPx - kNodeHeightPx / 2.0, kNodeWidthPx,
                     kNodeHeightPx);
    painter.setPen(QPen(swatch.border, 1.4));
    painter.setBrush(swatch.fill);
    painter.drawRoundedRect(box, 9.0, 9.0);

    painter.setPen(kInk);
    painter.setFont(sansFont(17, QFont::Bold));
    drawCentred(painter, QPointF(node.xPx, node.yPx - 7.0), QString::fromUtf8(node.numeral));
    painter.setPen(kSoftInk);
    painter.setFont(sansFont(12));
    drawCentred(painter, QPointF(node.xPx, node.yPx + 11.0), QString::fromUtf8(node.exampleInC));
}

/// Lays the legend out left to right from x, centred on the line y; returns the x reached.
double drawLegend(QPainter& painter, double xPx, double yPx) {
    painter.setFont(sansFont(11));
    const QFontMetricsF metrics(painter.font());
    const auto label = [&](const QString& text) {
        painter.setPen(kSoftInk);
        painter.drawText(QPointF(xPx, yPx + metrics.ascent() / 2.0 - 1.0), text);
        xPx += metrics.horizontalAdvance(text);
    };

    const std::array<std::pair<Function, QString>, 3> groups{{
        {Function::Tonic, QStringLiteral("tonic")},
        {Function::Predominant, QStringLiteral("predominant")},
        {Function::Dominant, QStringLiteral("dominant")},
    }};
    for (const auto& [function, name] : groups) {
        const Swatch swatch = swatchFor(function);
        painter.setPen(QPen(swatch.border, 1.2));
        painter.setBrush(swatch.fill);
        painter.drawRoundedRect(QRectF(xPx, yPx - 6.0, 18.0, 12.0), 3.0, 3.0);
        xPx += 23.0;
        label(name);
        xPx += 14.0;
    }

    xPx += 6.0;
    QPainterPath solid(QPointF(xPx, yPx));
    solid.lineTo(xPx + 18.0, yPx);
    strokeWithHead(painter, solid, QPointF(xPx + 24.0, yPx), QPointF(1.0, 0.0));
    xPx += 29.0;
    label(QStringLiteral("usual move"));
    return xPx;
}

QImage drawTmap() {
    QImage image = blankImage(kTmapWidthPx, kTmapHeightPx);
    QPainter painter(&image);
    prepare(painter);

    const double halfH = kNodeHeightPx / 2.0;
    const double gapPx = 3.0;

    // From I any chord may follow: one dashed arc back to the start of the chain.
    {
        const QPointF start = centreOf(I) + QPointF(0.0, -halfH - gapPx);
        const QPointF tip = centreOf(iii) + QPointF(0.0, -halfH - gapPx);
        drawCurvedArrow(painter, start, start + QPointF(-4.0, -128.0), tip + QPointF(4.0, -128.0), tip,
                        Qt::DashLine);
        painter.setFont(sansFont(11, QFont::Bold));
        const QString text = QStringLiteral("I \u2192 any chord");
        const QFontMetricsF metrics(painter.font());
        const QPointF label((start.x() + tip.x()) / 2.0, start.y() - 94.0);
        const QSizeF size = metrics.size(0, text);
        painter.setPen(Qt::NoPen);
        painter.setBrush(kPaper);
        painter.drawRect(QRectF(label - QPointF(size.width() / 2.0 + 5.0, size.height() / 2.0),
                                size + QSizeF(10.0, 0.0)));
        painter.setPen(kInk);
        drawCentred(painter, label, text);
    }

    // The deceptive cadence, over the predominants.
    {
        const QPointF start = centreOf(V) + QPointF(-16.0, -halfH - gapPx);
        const QPointF tip = centreOf(vi) + QPointF(8.0, -halfH - gapPx);
        drawCurvedArrow(painter, start, start + QPointF(-24.0, -30.0), tip + QPointF(40.0, -48.0), tip);
    }

    // The plagal cadence, under the dominants.
    {
        const QPointF start = centreOf(IV) + QPointF(14.0, halfH + gapPx);
        const QPointF tip = centreOf(I) + QPointF(0.0, halfH + gapPx);
        drawCurvedArrow(painter, start, start + QPointF(20.0, 30.0), tip + QPointF(0.0, 70.0), tip);
    }

    // iii to IV, under vi.
    {
        const QPointF start = centreOf(iii) + QPointF(0.0, halfH + gapPx);
        const QPointF tip = centreOf(IV) + QPointF(-kNodeWidthPx / 2.0 - gapPx, 4.0);
        drawCurvedArrow(painter, start, start + QPointF(0.0, 54.0), tip + QPointF(-60.0, 8.0), tip);
    }

    constexpr std::array<std::pair<Node, Node>, 9> straight{{
        {iii, vi},
        {vi, ii},
        {vi, IV},
        {IV, ii},
        {ii, V},
        {ii, viiDim},
        {IV, V},
        {V, I},
        {viiDim, I},
    }};
    for (const auto& [from, to] : straight) {
        drawStraightArrow(painter, from, to);
    }

    for (const ChordNode& node : kNodes) {
        drawNode(painter, node);
    }

    const double legendYPx = 242.0;
    const double legendEndPx = drawLegend(painter, 14.0, legendYPx);
    painter.setFont(sansFont(11, QFont::Bold));
    painter.setPen(kInk);
    const QString key = QStringLiteral("chords of C major");
    const QFontMetricsF keyMetrics(painter.font());
    const double keyWidthPx = keyMetrics.horizontalAdvance(key);
    const double keyXPx = std::max(legendEndPx + 16.0, kTmapWidthPx - 14.0 - keyWidthPx);
    painter.drawText(QPointF(keyXPx, legendYPx + keyMetrics.ascent() / 2.0 - 1.0), key);
    return image;
}

bool save(const QImage& image, const QDir& dir, const QString& name, const char* format) {
    const QString path = dir.filePath(name);
    if (!image.save(path, format)) {
        std::fprintf(stderr, "draw_pictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// A build step has no session, so Qt's notice about the missing runtime
// folder is noise there; everything else Qt says still reaches stderr.
void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))) {
        return;
    }
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

}  // namespace
}  // namespace hq

int main(int argc, char** argv) {
    qInstallMessageHandler(hq::quietMessages);
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: draw_pictures OUTPUT_DIR [PNG_COPY_DIR]\n");
        return 2;
    }

    const QImage fifths = hq::drawFifths();
    const QImage tmap = hq::drawTmap();

    bool ok = true;
    const QDir outDir(args.at(1));
    ok = hq::save(fifths, outDir, QStringLiteral("Fifths.bmp"), "BMP") && ok;
    ok = hq::save(tmap, outDir, QStringLiteral("Tmap.bmp"), "BMP") && ok;
    if (args.size() == 3) {
        const QDir copyDir(args.at(2));
        ok = hq::save(fifths, copyDir, QStringLiteral("Fifths.png"), "PNG") && ok;
        ok = hq::save(tmap, copyDir, QStringLiteral("Tmap.png"), "PNG") && ok;
    }
    return ok ? 0 : 1;
}
