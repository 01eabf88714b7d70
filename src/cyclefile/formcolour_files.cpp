// The file commands: create, open, save, save as, close and delete a cycle
// file; export the chart or the cycle sheet, and print the sheet.

#include "app/formcolour.h"

#include "app/captions.h"
#include "app/tags.h"
#include "chart/chartview.h"
#include "cyclefile/cyclefile.h"
#include "cyclefile/filemessages.h"
#include "cyclefile/filewrite.h"
#include "platform/dialogs.h"
#include "store/numbers.h"

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

namespace messages = cyclefile::messages;
using platform::MsgResult;
using namespace Qt::StringLiterals;

void FormColour::connectFiles()
{
    onMenu("mnuFileCreate", &FormColour::mnuFileCreate_Click);
    onMenu("mnuFileOpen", &FormColour::mnuFileOpen_Click);
    onMenu("mnuFileSave", &FormColour::mnuFileSave_Click);
    onMenu("mnuFileSaveAs", &FormColour::mnuFileSaveAs_Click);
    onMenu("mnuFileClose", &FormColour::mnuFileClose_Click);
    onMenu("mnuFileDelete", &FormColour::mnuFileDelete_Click);
    for (int n = 1; n <= kRecentFiles; ++n)
        onMenu(QStringLiteral("mnuFileRecent%1").arg(n), [this, n] { mnuFileRecent_Click(n); });
    for (int n = 1; n <= kTemplates; ++n)
        onMenu(QStringLiteral("mnuFileTemplate%1").arg(n), [this, n] { mnuFileTemplate_Click(n); });
    onMenu("mnuFileDaylight", &FormColour::mnuFileDaylight_Click);
    onMenu("mnuFileExport", &FormColour::mnuFileExport_Click);
    onMenu("mnuFilePrint", &FormColour::mnuFilePrint_Click);
}

void FormColour::nameFile(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    doc().setSource({path, {name, name}});
    showSource();
}

void FormColour::showNoFile()
{
    doc().setSource({});
    showSource();
}

void FormColour::showSource()
{
    const QString &path = doc().fileName();
    setFileStatus(path.isEmpty() ? messages::noFileStatus() : messages::fileStatus(path));
    updateWindowTitle();
}

void FormColour::emptyStore() { doc().empty(); }

bool FormColour::writeCycleFile(const QString &path, bool templateOnly)
{
    const QByteArray bytes =
        templateOnly ? cyclefile::templateFile() : cyclefile::writeCycle(table(), doc().transitionText());
    if (const std::optional<QString> reason = cyclefile::writeWholeFile(path, bytes)) {
        say(messages::writeFailed(path, *reason));
        return false;
    }
    if (!templateOnly) {
        table().MoveFirst();
        addRecentFile(path);
    }
    return true;
}

namespace {

std::optional<QString> savePath(const std::optional<QString> &chosen)
{
    return chosen ? std::optional(cyclefile::withCycleExtension(*chosen)) : std::nullopt;
}

} // namespace

void FormColour::mnuFileCreate_Click()
{
    const std::optional<QString> path = savePath(m_dialogs.saveFile(
        messages::createTitle().pick(english()), cyclefile::dialogFilter(), dialogFolder(u"create"_s)));
    if (!path)
        return;
    rememberFolder(u"create"_s, *path);
    // The template over the open file would empty it behind the cycle shown.
    if (isCycleFile(*path)) {
        say(messages::createOpenFile(*path));
        return;
    }
    if (QFileInfo::exists(*path) && say(messages::overwrite()) != MsgResult::Yes)
        return;
    writeCycleFile(*path, true);
}

bool FormColour::isCycleFile(const QString &path) const
{
    if (doc().fileName().isEmpty())
        return false;
    const QFileInfo chosen(path);
    const QFileInfo open(doc().fileName());
    if (chosen.exists() && open.exists())
        return chosen.canonicalFilePath() == open.canonicalFilePath();
    return chosen.absoluteFilePath() == open.absoluteFilePath();
}

void FormColour::mnuFileOpen_Click()
{
    if (!confirmDropChanges())
        return;
    const std::optional<QString> path =
        m_dialogs.openFile(messages::openTitle().pick(english()), cyclefile::dialogFilter(), dialogFolder(u"open"_s));
    if (!path)
        return;
    rememberFolder(u"open"_s, *path);
    openCycleFile(*path);
}

bool FormColour::openCycleFile(const QString &path)
{
    // The whole file is read and checked before anything changes: a file that
    // fails leaves the cycle in memory, doc().transitionText() and doc().fileName() as they were.
    const cyclefile::ReadResult result = cyclefile::readCycleFile(path);
    if (!result.ok()) {
        say(*result.failure);
        return false;
    }
    const editor::CycleState before = doc().state(true);
    nameFile(path);
    addRecentFile(path);
    takeCycle(*result.cycle);
    doc().record(before, editor::openLabel(QFileInfo(path).fileName()));
    doc().markSaved();
    return true;
}

void FormColour::takeCycle(const cyclefile::LoadedCycle &cycle)
{
    store::ColourTable &points = table();
    for (int k = 1; k <= store::kRowCount; ++k)
        points.row(k) = cycle.rows[std::size_t(k - 1)];
    doc().setPointCount(cycle.pointCount);
    doc().setPointCurrent(1);
    points.MoveFirst();
    doc().setTransitionTime(store::toNumber(cycle.transitionTime));
    if (cycle.notice)
        say(*cycle.notice);

    showLoadedCycle();
}

// ----- Recent files ------------------------------------------------------------------

void FormColour::addRecentFile(const QString &path)
{
    const QString full = QFileInfo(path).absoluteFilePath();
    RecentFiles.removeAll(full);
    RecentFiles.prepend(full);
    while (RecentFiles.size() > kRecentFiles)
        RecentFiles.removeLast();
    showRecentFiles();
}

void FormColour::showRecentFiles()
{
    for (int n = 1; n <= kRecentFiles; ++n) {
        QAction *item = menuItem(QStringLiteral("mnuFileRecent%1").arg(n));
        const bool used = n <= RecentFiles.size();
        item->setVisible(used);
        if (!used)
            continue;
        const QString &path = RecentFiles.at(n - 1);
        const QString name = QFileInfo(path).fileName();
        // Two files of the same name are told apart by their folders.
        const bool alike = std::count_if(RecentFiles.cbegin(), RecentFiles.cend(),
                                         [&name](const QString &other) { return QFileInfo(other).fileName() == name; })
                           > 1;
        const QString folder = QDir::toNativeSeparators(QFileInfo(path).absolutePath());
        item->setText(QStringLiteral("&%1  %2").arg(n).arg(
            captions::escaped(alike ? name + QStringLiteral("  (") + folder + u')' : name)));
        item->setToolTip(QDir::toNativeSeparators(path));
    }
    menuItem(QStringLiteral("mnuFileRecent"))->setEnabled(!RecentFiles.isEmpty());
}

void FormColour::mnuFileRecent_Click(int item)
{
    if (item < 1 || item > RecentFiles.size())
        return;
    const QString path = RecentFiles.at(item - 1);
    if (!QFileInfo(path).isFile()) {
        RecentFiles.removeAt(item - 1);
        showRecentFiles();
        say(messages::recentMissing(path));
        return;
    }
    if (confirmDropChanges())
        openCycleFile(path);
}

// ----- Starting templates -------------------------------------------------------------

QString FormColour::templateResource(int item)
{
    static const char *const names[kTemplates] = {"sunrise-day-sunset", "aquarium-midday-rest", "moonlight-night",
                                                  "constant-white", "fast-demo"};
    if (item < 1 || item > kTemplates)
        return {};
    return QStringLiteral(":/templates/%1.txt").arg(QLatin1String(names[item - 1]));
}

void FormColour::mnuFileTemplate_Click(int item)
{
    // A template is read as a file is, but names none: Save asks for a name.
    if (!confirmDropChanges())
        return;
    const cyclefile::ReadResult result = cyclefile::readCycleFile(templateResource(item));
    if (!result.ok()) {
        say(*result.failure);
        return;
    }
    const editor::CycleState before = doc().state(true);
    showNoFile();
    takeCycle(*result.cycle);
    doc().record(before, editor::templateLabel());
}

void FormColour::mnuFileDaylight_Click()
{
    // As a template: asked about unsaved changes first, then one step of the
    // history; the title names the place and the date until it is saved.
    if (!confirmDropChanges())
        return;
    const std::optional<platform::Dialogs::GeneratedCycle> chosen = m_dialogs.daylight(english());
    if (!chosen)
        return;
    const cyclefile::ReadResult result = cyclefile::readCycle(chosen->text);
    if (!result.ok()) {
        say(*result.failure);
        return;
    }
    const editor::CycleState before = doc().state(true);
    doc().setSource({QString(), chosen->title});
    showSource();
    takeCycle(*result.cycle);
    doc().record(before, editor::daylightLabel());
}

void FormColour::mnuFileSave_Click() { saveCycle(); }

void FormColour::consolidateForSave()
{
    // The cycle is checked and shown from point 1 before it is written:
    // editor, chart marker and colour outputs alike.
    doc().setPointCurrent(1);
    DataBaseCheck();
    table().MoveFirst();
    pointRefresh();
}

FormColour::SaveResult FormColour::saveCycle(bool confirmed)
{
    if (!confirmed && say(messages::saveConfirm()) != MsgResult::Yes)
        return SaveResult::Declined;
    consolidateForSave();

    if (!doc().fileName().isEmpty()) {
        if (!QFileInfo::exists(doc().fileName())) {
            // The file has gone since it was opened: doc().fileName() is kept.
            say(messages::saveFileNotFound());
            return SaveResult::Failed;
        }
        if (!writeCycleFile(doc().fileName())) {
            dropFileName();
            return SaveResult::Failed;
        }
        doc().markSaved();
        return SaveResult::Written;
    }

    const std::optional<QString> path = savePath(
        m_dialogs.saveFile(messages::saveTitle().pick(english()), cyclefile::dialogFilter(), dialogFolder(u"save"_s)));
    if (!path) {
        dropFileName();
        return SaveResult::Declined;
    }
    rememberFolder(u"save"_s, *path);
    if (QFileInfo::exists(*path) && say(messages::overwrite()) != MsgResult::Yes) {
        dropFileName();
        return SaveResult::Declined;
    }
    return saveInto(*path) ? SaveResult::Written : SaveResult::Failed;
}

bool FormColour::saveInto(const QString &path)
{
    if (!writeCycleFile(path)) {
        dropFileName();
        return false;
    }
    // The steps that hold this cycle now hold it under its new name.
    const editor::CycleSource from = doc().source();
    nameFile(path);
    doc().renameSource(from, doc().source());
    doc().markSaved();
    return true;
}

void FormColour::dropFileName()
{
    const editor::CycleSource from = doc().source();
    doc().setSource({QString(), from.title});
    setFileStatus(messages::noFileStatus());
    if (from.fileName.isEmpty())
        return;
    // The cycle keeps its name in the title, but no file holds it any more:
    // it counts as unsaved until it is saved again.
    doc().renameSource(from, doc().source());
    doc().markUnsaved();
}

void FormColour::mnuFileSaveAs_Click()
{
    if (say(messages::saveAsConfirm()) != MsgResult::Yes)
        return;
    consolidateForSave();

    const std::optional<QString> path = savePath(m_dialogs.saveFile(
        messages::saveAsTitle().pick(english()), cyclefile::dialogFilter(), dialogFolder(u"saveAs"_s)));
    if (!path) {
        dropFileName();
        return;
    }
    rememberFolder(u"saveAs"_s, *path);
    if (*path == doc().fileName()) {
        say(messages::sameFile());
        return;
    }
    // A declined overwrite leaves the cycle as it was named: the chosen file
    // does not hold it.
    if (QFileInfo::exists(*path) && say(messages::overwrite()) != MsgResult::Yes)
        return;
    saveInto(*path);
}

void FormColour::mnuFileClose_Click()
{
    // Unsaved changes are settled first, as before an Open; then the close
    // is confirmed, and a cycle without changes is saved as it always was.
    const bool modified = doc().isModified();
    if (modified && !confirmDropChanges())
        return;
    if (say(messages::closeConfirm()) != MsgResult::Yes)
        return;
    // A save that failed keeps the cycle: emptying the store now would lose it.
    if (!modified && !doc().fileName().isEmpty() && saveCycle() == SaveResult::Failed)
        return;

    const editor::CycleState before = doc().state(true);
    emptyStore();
    showNoFile();
    doc().setPointCurrent(1);
    table().MoveFirst();
    DataBaseRead();
    DataBaseCommand();
    DataBaseZoom();
    if (hasTag(CommandCursorLeft, u"E"))
        CommandCursorLeftView_Click();
    if (hasTag(CommandCursorRight, u"E"))
        CommandCursorRightView_Click();
    DataBaseView();
    DataBaseData();
    if (mnuEnableColorCycle->isChecked())
        mnuEnableColorCycle_Click();
    doc().record(before, editor::closeLabel());
    doc().markSaved();
}

void FormColour::mnuFileDelete_Click()
{
    if (say(doc().fileName().isEmpty() ? messages::deleteConfirm() : messages::deleteConfirm(doc().fileName()))
        != MsgResult::Yes)
        return;
    // Undone, the cycle comes back without the file it was deleted with:
    // Save then asks where to keep it.
    editor::CycleState before = doc().state(true);
    before.source = editor::CycleSource{};
    emptyStore();

    // Without a file nothing is deleted and nothing is said.
    if (!doc().fileName().isEmpty()) {
        QFile file(doc().fileName());
        if (!file.exists())
            say(messages::deleteFileNotFound());
        else if (!file.remove())
            say(messages::deleteFailed(doc().fileName(), file.errorString()));
    }
    showNoFile();

    // The store is empty whatever became of the file, so the editor and the
    // chart show the empty cycle: a display of the old points over an empty
    // store would let the next Save write the empty cycle unnoticed.
    doc().setPointCurrent(1);
    table().MoveFirst();
    pointRefresh();
    if (mnuEnableColorCycle->isChecked())
        mnuEnableColorCycle_Click();
    doc().record(before, editor::deleteLabel());
    doc().markSaved();
}

// -------------------------------------------------------------------------------------
// Export and Print: the chart as a PNG image, and the cycle sheet (the chart,
// the table of points and the transition time) as a one-page PDF or on paper.

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
