// Export and Print: the chart as a PNG image, and the cycle sheet (the chart,
// the table of points and the transition time) as a one-page PDF or on paper.

#include "app/formcolour.h"

#include "chart/chartview.h"
#include "cyclefile/filemessages.h"
#include "cyclefile/filewrite.h"
#include "platform/dialogs.h"
#include "store/numbers.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace messages = cyclefile::messages;
using platform::MsgResult;
using store::Field;

qreal FormColour::exportRatio() const
{
    const qreal screenRatio = devicePixelRatioF();
    return screenRatio > 1 ? screenRatio : 2;
}

QImage FormColour::chartImage(qreal ratio, bool cycleAlone) const
{
    const QSize logical = MSChartColorCycle->size();
    QImage image(QSize(qRound(logical.width() * ratio), qRound(logical.height() * ratio)),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    // The cycle alone is the chart without the widgets over it: the orange
    // bar and the strip of the current point, the cursors, the simulator's
    // bar, a drag's tip.
    MSChartColorCycle->render(&image, QPoint(), QRegion(),
                              cycleAlone ? QWidget::RenderFlags(QWidget::DrawWindowBackground)
                                         : QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return image;
}

QByteArray FormColour::chartPng() const
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.write(chartImage(exportRatio()));
    return buffer.data();
}

QByteArray FormColour::sheetPdf()
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(messages::sheetDocumentTitle(doc().source().title).pick(english()));
        writer.setCreator(QStringLiteral("Orvanta"));
        writer.setResolution(300);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Portrait);
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        renderCycleSheet(writer);
    }
    return buffer.data();
}

void FormColour::renderCycleSheet(QPagedPaintDevice &device)
{
    QPainter p(&device);
    const bool inEnglish = english();
    const QRectF page(0, 0, device.width(), device.height());
    const double pt = device.logicalDpiY() / 72.0; // device pixels in one point
    QFont font(QStringLiteral("DejaVu Sans"));

    // Title: the program, then the cycle's name as the window title shows it.
    font.setPointSizeF(14);
    font.setBold(true);
    p.setFont(font);
    double y = 0;
    const double titleHeight = QFontMetricsF(font, &device).height();
    p.drawText(QRectF(0, y, page.width(), titleHeight), Qt::AlignLeft | Qt::AlignVCenter,
               messages::sheetTitle().pick(inEnglish));
    y += titleHeight;
    font.setPointSizeF(9);
    font.setBold(false);
    p.setFont(font);
    const double line = QFontMetricsF(font, &device).height();
    p.drawText(QRectF(0, y, page.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
               messages::sheetCycle(doc().source().title).pick(inEnglish));
    y += line + 6 * pt;

    // The chart as on screen but for the markers over it, across the page, at
    // most a third of its height.
    const QImage chart = chartImage(3, true);
    QSizeF chartSize = QSizeF(chart.size()).scaled(QSizeF(page.width(), page.height() / 3), Qt::KeepAspectRatio);
    p.drawImage(QRectF(QPointF((page.width() - chartSize.width()) / 2, y), chartSize), chart);
    y += chartSize.height() + 6 * pt;

    // The transition time.
    const qint64 transition = doc().transitionTime();
    const auto timeText = [this](qint64 seconds) {
        return hmsMode() ? store::DataBaseTimeToHMS(seconds) : store::format00000(seconds);
    };
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(0, y, page.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
               messages::sheetTransition().pick(inEnglish) + timeText(transition));
    y += line + 4 * pt;

    // The table of points: one block, or two side by side above 32 points.
    const store::ColourTable &points = table();
    int count = 0;
    while (count < store::kRowCount && points.row(count + 1).value(Field::PointID) != 0)
        ++count;
    count = std::max(count, 1);
    const int blocks = count > 32 ? 2 : 1;
    const int perBlock = (count + blocks - 1) / blocks;
    const double rowHeight = std::min(line * 1.25, (page.height() - y) / (perBlock + 1));
    font.setPointSizeF(std::min(9.0, rowHeight / pt / 1.4));
    const QList<Bilingual> heads = messages::sheetColumns();
    const double gap = 8 * pt;
    const double blockWidth = (page.width() - gap * (blocks - 1)) / blocks;
    // Relative widths: swatch, point, position, length, red, green, blue.
    const double weights[] = {0.6, 0.9, 1.6, 1.6, 1.1, 1.1, 1.1};
    double weightSum = 0;
    for (double w : weights)
        weightSum += w;
    const QColor rule(190, 190, 190);
    for (int b = 0; b < blocks; ++b) {
        const double left = b * (blockWidth + gap);
        double x = left;
        std::array<double, 7> columnLeft{};
        for (std::size_t c = 0; c < 7; ++c) {
            columnLeft[c] = x;
            x += blockWidth * weights[c] / weightSum;
        }
        const auto cell = [&](std::size_t c, double top) {
            const double right = c + 1 < 7 ? columnLeft[c + 1] : left + blockWidth;
            return QRectF(columnLeft[c], top, right - columnLeft[c], rowHeight);
        };
        font.setBold(true);
        p.setFont(font);
        for (std::size_t c = 1; c < 7; ++c)
            p.drawText(cell(c, y), Qt::AlignCenter, heads.at(qsizetype(c - 1)).pick(inEnglish));
        p.setPen(rule);
        p.drawLine(QPointF(left, y + rowHeight), QPointF(left + blockWidth, y + rowHeight));
        p.setPen(Qt::black);
        font.setBold(false);
        p.setFont(font);
        for (int k = b * perBlock + 1; k <= std::min(count, (b + 1) * perBlock); ++k) {
            const store::ColourPoint &row = points.row(k);
            const double top = y + rowHeight * (k - b * perBlock);
            const auto percent = [&row](Field f) { return int(std::clamp<qint64>(row.value(f), 0, 100)); };
            const QColor colour(percent(Field::Red) * 255 / 100, percent(Field::Green) * 255 / 100,
                                percent(Field::Blue) * 255 / 100);
            const QRectF swatch = cell(0, top).adjusted(2 * pt, 2 * pt, -2 * pt, -2 * pt);
            p.fillRect(swatch, colour);
            p.setPen(rule);
            p.drawRect(swatch);
            p.setPen(Qt::black);
            p.drawText(cell(1, top), Qt::AlignCenter, row.text(Field::PointID));
            p.drawText(cell(2, top), Qt::AlignCenter, timeText(row.value(Field::Time)));
            p.drawText(cell(3, top), Qt::AlignCenter, timeText(row.value(Field::Length)));
            p.drawText(cell(4, top), Qt::AlignCenter, row.text(Field::Red));
            p.drawText(cell(5, top), Qt::AlignCenter, row.text(Field::Green));
            p.drawText(cell(6, top), Qt::AlignCenter, row.text(Field::Blue));
        }
    }
}

void FormColour::mnuFileExport_Click()
{
    // The dialog offers the cycle file's name in the last export folder, or
    // beside the cycle file the first time.
    QString start = dialogFolder(QStringLiteral("export"));
    if (!doc().fileName().isEmpty()) {
        const QFileInfo cycleFile(doc().fileName());
        if (start.isEmpty())
            start = cycleFile.absolutePath();
        start = QDir(start).filePath(cycleFile.completeBaseName() + QStringLiteral(".pdf"));
    }
    const std::optional<QString> chosen =
        m_dialogs.saveFile(messages::exportTitle().pick(english()), messages::exportFilter(), start);
    if (!chosen)
        return;
    // A name without ".png" or ".pdf" is a PDF.
    QString path = *chosen;
    const QString suffix = QFileInfo(path).suffix().toLower();
    const bool png = suffix == u"png";
    if (!png && suffix != u"pdf")
        path += QStringLiteral(".pdf");
    rememberFolder(QStringLiteral("export"), path);
    if (QFileInfo::exists(path) && say(messages::overwrite()) != MsgResult::Yes)
        return;
    const QByteArray bytes = png ? chartPng() : sheetPdf();
    // An image that could not be made is reported as a file not written,
    // never left behind as an empty file.
    if (bytes.isEmpty()) {
        say(messages::writeFailed(path, QStringLiteral("the chart could not be drawn")));
        return;
    }
    if (const std::optional<QString> reason = cyclefile::writeWholeFile(path, bytes))
        say(messages::writeFailed(path, *reason));
}

void FormColour::mnuFilePrint_Click()
{
    m_dialogs.print(messages::sheetTitle().pick(english()),
                    [this](QPagedPaintDevice &printer) { renderCycleSheet(printer); });
}
