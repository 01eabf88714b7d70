// The points table: every point of the cycle in a dock beside the window.
// Its selection and the editor's current point follow each other; a cell
// edited, or rows pasted, go through the editor's rules and become one step
// of the history.

#include "app/formcolour.h"

#include "app/captions.h"
#include "app/tags.h"
#include "editor/fieldentry.h"
#include "editor/pointstable.h"
#include "editor/rules.h"
#include "store/numbers.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>

using editor::PointsTableModel;
using store::Field;

namespace {

// The table view takes Ctrl+C and Ctrl+V for its rows while it has the
// keyboard (File Create keeps Ctrl+C everywhere else).
class PointsView : public QTableView
{
public:
    using QTableView::QTableView;
    std::function<void()> copy;
    std::function<void()> paste;

protected:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::ShortcutOverride) {
            auto *key = static_cast<QKeyEvent *>(e);
            if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste)) {
                e->accept();
                return true;
            }
        }
        return QTableView::event(e);
    }
    void keyPressEvent(QKeyEvent *e) override
    {
        if (e->matches(QKeySequence::Copy)) {
            if (copy)
                copy();
            return;
        }
        if (e->matches(QKeySequence::Paste)) {
            if (paste)
                paste();
            return;
        }
        QTableView::keyPressEvent(e);
    }
};

// A cell is typed as the editor's fields are: times over the digits of
// hh:mm:ss or as up to five digits, levels as up to three digits.
class PointsDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        auto *line = qobject_cast<QLineEdit *>(editor);
        if (!line)
            return editor;
        line->setObjectName(QStringLiteral("PointsTableEditor"));
        line->setAlignment(Qt::AlignCenter);
        const auto *model = qobject_cast<const PointsTableModel *>(index.model());
        const bool time =
            index.column() == PointsTableModel::TimeColumn || index.column() == PointsTableModel::LengthColumn;
        if (time && model && model->hms()) {
            line->setInputMask(QStringLiteral("99:99:99"));
        } else {
            const QString digits = time ? QStringLiteral("\\d{0,5}") : QStringLiteral("\\d{0,3}");
            line->setValidator(new QRegularExpressionValidator(QRegularExpression(digits), line));
        }
        return editor;
    }

    // The colour column is a swatch of the point's colour inside the row's
    // own look, selected or not.
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        if (index.column() != PointsTableModel::ColourColumn) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem plain = option;
        initStyleOption(&plain, index);
        plain.backgroundBrush = QBrush();
        plain.icon = QIcon();
        const QWidget *widget = option.widget;
        QStyle *style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &plain, painter, widget);
        const QRect swatch = option.rect.adjusted(4, 3, -4, -3);
        painter->fillRect(swatch, index.data(Qt::BackgroundRole).value<QColor>());
        painter->setPen(option.palette.color(QPalette::Mid));
        painter->drawRect(swatch.adjusted(0, 0, -1, -1));
    }
};

} // namespace

void FormColour::buildPointsTable()
{
    PointsTable = new QDockWidget(this);
    PointsTable->setObjectName(QStringLiteral("PointsTable"));
    PointsTable->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);
    auto *view = new PointsView(PointsTable);
    view->setObjectName(QStringLiteral("PointsTableView"));
    PointsTableView = view;
    PointsModel = new editor::PointsTableModel([this]() -> const store::ColourTable * { return &doc().table(); }, this);
    view->setModel(PointsModel);
    view->setItemDelegate(new PointsDelegate(view));
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                          | QAbstractItemView::AnyKeyPressed);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    view->horizontalHeader()->setMinimumSectionSize(40);
    view->horizontalHeader()->setSectionResizeMode(PointsTableModel::ColourColumn, QHeaderView::Fixed);
    view->horizontalHeader()->resizeSection(PointsTableModel::ColourColumn, 56);
    view->setEnabled(false);
    PointsTable->setWidget(view);
    addDockWidget(Qt::RightDockWidgetArea, PointsTable);
    PointsTable->hide();
}

void FormColour::connectPointsTable()
{
    onMenu("mnuViewPointsTable", &FormColour::mnuViewPointsTable_Click);
    QAction *item = menuItem(QStringLiteral("mnuViewPointsTable"));
    // The dock's own close button unticks the item.
    connect(PointsTable, &QDockWidget::visibilityChanged, this,
            [this, item] { item->setChecked(!PointsTable->isHidden()); });
    PointsModel->setCommit([this](int point, int column, const QString &text) {
        // After the cell's editor has closed: a refusal's message must not
        // come up while the editor still holds the keyboard.
        QMetaObject::invokeMethod(
            this, [this, point, column, text] { pointsTableEdit(point, column, text); }, Qt::QueuedConnection);
    });
    connect(PointsTableView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (!m_pointsTableSelecting && current.isValid())
                    pointsTableSelect(current.row() + 1);
            });
    auto *view = static_cast<PointsView *>(PointsTableView);
    view->copy = [this] { pointsTableCopy(); };
    view->paste = [this] { pointsTablePaste(); };
    refreshPointsTable();
}

bool FormColour::pointsTableAllowed() const { return historyAllowed() && mnuEnableColorCycle->isChecked(); }

void FormColour::refreshPointsTable()
{
    if (!PointsModel)
        return;
    // Rows that go away move the view's current row: that is no choice of the user's.
    const QScopedValueRollback guard(m_pointsTableSelecting, true);
    const bool inEnglish = english();
    PointsModel->refresh(doc().pointCount(), hmsMode(), inEnglish);
    // The colour column is as wide as its heading in either language.
    QHeaderView *header = PointsTableView->horizontalHeader();
    const QString colourHead =
        PointsModel->headerData(PointsTableModel::ColourColumn, Qt::Horizontal, Qt::DisplayRole).toString();
    header->resizeSection(PointsTableModel::ColourColumn,
                          std::max(56, header->fontMetrics().horizontalAdvance(colourHead) + 20));
    PointsTable->setWindowTitle(captions::find("mnuViewPointsTable", captions::Role::Text)->text(inEnglish));
    // Floating, the table widens with its headings (the English ones are longer).
    if (PointsTable->isFloating() && PointsTable->isVisible() && PointsTable->width() < pointsTableWidth()) {
        PointsTable->resize(pointsTableWidth(), PointsTable->height());
        if (const QScreen *screen = PointsTable->screen()) {
            const int over = PointsTable->frameGeometry().right() - screen->availableGeometry().right();
            if (over > 0)
                PointsTable->move(PointsTable->x() - over, PointsTable->y());
        }
    }
    showPointsTableAccess();
    // The current point is the current row; a wider selection that already
    // holds it is left as the user made it.
    const QModelIndex current = PointsModel->index(std::clamp<int>(doc().pointCurrent(), 1, doc().pointCount()) - 1, 0);
    if (!current.isValid())
        return;
    QItemSelectionModel *selection = PointsTableView->selectionModel();
    if (selection->currentIndex().row() != current.row() || !selection->isRowSelected(current.row()))
        selection->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void FormColour::showPointsTableAccess()
{
    if (!PointsModel)
        return;
    // With the colour-cycle function off the table can still be read and
    // copied, and says why it takes no edit.
    PointsModel->setEditable(pointsTableAllowed());
    if (PointsTableView->isEnabled() != historyAllowed())
        PointsTableView->setEnabled(historyAllowed());
}

int FormColour::pointsTableWidth() const
{
    // Each column as wide as its heading or its widest cell, whether or not
    // the view has laid its columns out again yet.
    const QHeaderView *header = PointsTableView->horizontalHeader();
    int width = header->sectionSize(PointsTableModel::ColourColumn);
    for (int c = 0; c < PointsTableModel::ColourColumn; ++c)
        width += std::max(header->sectionSizeHint(c),
                          static_cast<const QAbstractItemView *>(PointsTableView)->sizeHintForColumn(c));
    return width + PointsTableView->verticalScrollBar()->sizeHint().width() + 2 * PointsTableView->frameWidth() + 4;
}

void FormColour::mnuViewPointsTable_Click()
{
    QAction *item = menuItem(QStringLiteral("mnuViewPointsTable"));
    const bool show = !item->isChecked();
    if (!show) {
        PointsTable->hide();
        item->setChecked(false);
        return;
    }
    refreshPointsTable();
    // Docked, the table takes the width of its columns, as far as the
    // window can spare it beside its controls; where it cannot spare half of
    // that, the table floats beside the window instead of pushing the
    // controls under a scroll bar.
    const int wanted = pointsTableWidth();
    const bool beside = !PointsTable->isFloating() && dockWidgetArea(PointsTable) != Qt::BottomDockWidgetArea;
    const int separator = style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, this);
    const int spare = centralWidget()->width() - FormColourCentral->minimumSizeHint().width() - separator;
    if (beside && spare < wanted / 2) {
        PointsTable->setFloating(true);
        PointsTable->resize(wanted, std::max(height() / 2, PointsTable->minimumSizeHint().height()));
        const QRect room = screen() ? screen()->availableGeometry() : geometry();
        QRect placed(QPoint(geometry().right() - wanted, geometry().top() + height() / 4), PointsTable->size());
        placed.moveRight(std::min(placed.right(), room.right()));
        PointsTable->move(placed.topLeft());
    }
    PointsTable->setVisible(true);
    item->setChecked(true);
    if (beside && spare >= wanted / 2)
        resizeDocks({PointsTable}, {std::min(wanted, spare)}, Qt::Horizontal);
}

void FormColour::pointsTableSelect(int point)
{
    if (!pointsTableAllowed() || point < 1 || point > doc().pointCount() || point == doc().pointCurrent())
        return;
    doc().setPointCurrent(point);
    table().moveTo(doc().pointCurrent());
    pointRefresh();
}

void FormColour::pointsTableEdit(int point, int column, const QString &text)
{
    if (!pointsTableAllowed() || point < 1 || point > doc().pointCount())
        return;
    const editor::CycleState before = doc().state();
    store::ColourTable &points = table();
    store::ColourPoint &row = points.row(point);
    const bool hms = hmsMode();
    const qint64 transition = doc().transitionTime();
    // Refused: the store as it was, and the table shows it again.
    const auto refuse = [this](const platform::BilingualMessage &message) {
        say(message);
        refreshPointsTable();
    };
    switch (column) {
    case PointsTableModel::TimeColumn: {
        const qint64 time = store::secondsOfText(text, hms);
        if (point == 1) {
            if (time != row.value(Field::Time))
                refuse(editor::firstPointMessage());
            return;
        }
        editor::TimeCheckInput in;
        in.pointCount = doc().pointCount();
        in.pointCurrent = point;
        in.time = time;
        in.length = row.value(Field::Length);
        in.transitionTime = transition;
        if (const auto refusal = editor::DataBaseTimeCheck(points, in)) {
            refuse(*refusal);
            return;
        }
        row.setValue(Field::Time, time);
        break;
    }
    case PointsTableModel::LengthColumn: {
        const qint64 length = store::secondsOfText(text, hms);
        const qint64 max =
            editor::DataBaseLengthMaxValue(points, doc().pointCount(), point, row.value(Field::Time), transition, hms)
                .value;
        if (length > max) {
            refuse(editor::outOfRangeMessage(QStringLiteral("Length Time")));
            return;
        }
        row.setValue(Field::Length, length);
        break;
    }
    case PointsTableModel::RedColumn:
    case PointsTableModel::GreenColumn:
    case PointsTableModel::BlueColumn: {
        // A level past 100 % is refused, not cut down behind the user's back.
        static const char *const names[] = {"Red", "Green", "Blue"};
        const int channel = column - PointsTableModel::RedColumn;
        if (store::toNumber(text) > 100) {
            refuse(editor::outOfRangeMessage(QString::fromLatin1(names[channel])));
            return;
        }
        row.setText(Field(int(Field::Red) + channel), editor::confirmedColour(text));
        break;
    }
    default: return;
    }
    // The edited point stays current wherever its time puts it.
    const qint64 stored = row.value(Field::Time);
    DataBaseCheck();
    int position = 1;
    while (position < doc().pointCount() && points.row(position).value(Field::Time) != stored)
        ++position;
    doc().setPointCurrent(position);
    points.moveTo(doc().pointCurrent());
    pointRefresh();
    doc().record(before, editor::editLabel(doc().pointCurrent()));
}

void FormColour::pointsTableCopy()
{
    QList<int> rows;
    for (const QModelIndex &index : PointsTableView->selectionModel()->selectedRows())
        rows.append(index.row());
    if (!rows.isEmpty())
        QApplication::clipboard()->setText(PointsModel->rowsText(rows));
}

void FormColour::pointsTablePaste()
{
    if (!pointsTableAllowed()) {
        // The table has the keyboard but may not change the cycle: say why.
        if (historyAllowed())
            say(editor::pasteNeedsColourCycle());
        return;
    }
    const editor::PastedRows pasted = editor::parsePastedRows(QApplication::clipboard()->text());
    if (pasted.refusal) {
        say(*pasted.refusal);
        return;
    }
    const editor::CycleState before = doc().state();
    int count = doc().pointCount();
    int last = doc().pointCurrent();
    if (const auto refusal = editor::insertPastedPoints(table(), count, doc().transitionTime(), pasted.points, last)) {
        say(*refusal);
        return;
    }
    DataBaseCheck();
    doc().setPointCurrent(std::clamp(last, 1, int(doc().pointCount())));
    table().moveTo(doc().pointCurrent());
    pointRefresh();
    doc().record(before, editor::pasteLabel(int(pasted.points.size())));
}
