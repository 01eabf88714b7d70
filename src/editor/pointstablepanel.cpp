#include "editor/pointstablepanel.h"

#include "editor/cycledocument.h"
#include "editor/pointstable.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>

namespace editor {

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

PointsTablePanel::PointsTablePanel(const CycleDocument &document, QWidget *parent)
    : QDockWidget(parent)
    , m_document(document)
{
    setObjectName(QStringLiteral("PointsTable"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);
    auto *view = new PointsView(this);
    view->setObjectName(QStringLiteral("PointsTableView"));
    m_view = view;
    m_model = new PointsTableModel([this]() -> const store::ColourTable * { return &m_document.table(); }, this);
    view->setModel(m_model);
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
    setWidget(view);
    hide();

    m_model->setCommit([this](int point, int column, const QString &text) {
        QMetaObject::invokeMethod(
            this, [this, point, column, text] { Q_EMIT cellEdited(point, column, text); }, Qt::QueuedConnection);
    });
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex &current) {
        if (!m_selecting && current.isValid())
            Q_EMIT pointPicked(current.row() + 1);
    });
    view->copy = [this] { copyRows(); };
    view->paste = [this] { Q_EMIT pasteAsked(); };
}

void PointsTablePanel::refresh(bool hms, bool english, const QString &title)
{
    // Rows that go away move the view's current row: that is no choice of the user's.
    const QScopedValueRollback guard(m_selecting, true);
    m_model->refresh(m_document.pointCount(), hms, english);
    if (title != windowTitle()) {
        // The colour column is as wide as its heading in either language.
        QHeaderView *header = m_view->horizontalHeader();
        const QString colourHead =
            m_model->headerData(PointsTableModel::ColourColumn, Qt::Horizontal, Qt::DisplayRole).toString();
        header->resizeSection(PointsTableModel::ColourColumn,
                              std::max(56, header->fontMetrics().horizontalAdvance(colourHead) + 20));
        setWindowTitle(title);
    }
    // Floating, the table widens with its headings (the English ones are longer).
    if (isFloating() && isVisible() && width() < columnsWidth()) {
        resize(columnsWidth(), height());
        if (const QScreen *shownOn = screen()) {
            const int over = frameGeometry().right() - shownOn->availableGeometry().right();
            if (over > 0)
                move(x() - over, y());
        }
    }
    const QModelIndex current =
        m_model->index(std::clamp<int>(m_document.pointCurrent(), 1, m_document.pointCount()) - 1, 0);
    if (!current.isValid())
        return;
    QItemSelectionModel *selection = m_view->selectionModel();
    if (selection->currentIndex().row() != current.row() || !selection->isRowSelected(current.row()))
        selection->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void PointsTablePanel::setAccess(bool editable, bool enabled)
{
    m_model->setEditable(editable);
    if (m_view->isEnabled() != enabled)
        m_view->setEnabled(enabled);
}

int PointsTablePanel::columnsWidth() const
{
    // Each column as wide as its heading or its widest cell, whether or not
    // the view has laid its columns out again yet.
    const QHeaderView *header = m_view->horizontalHeader();
    int width = header->sectionSize(PointsTableModel::ColourColumn);
    for (int c = 0; c < PointsTableModel::ColourColumn; ++c)
        width +=
            std::max(header->sectionSizeHint(c), static_cast<const QAbstractItemView *>(m_view)->sizeHintForColumn(c));
    return width + m_view->verticalScrollBar()->sizeHint().width() + 2 * m_view->frameWidth() + 4;
}

void PointsTablePanel::showBeside(QMainWindow &window, int controlsWidth)
{
    const int wanted = columnsWidth();
    const bool beside = !isFloating() && window.dockWidgetArea(this) != Qt::BottomDockWidgetArea;
    const int separator = window.style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, &window);
    const int spare = window.centralWidget()->width() - controlsWidth - separator;
    if (beside && spare < wanted / 2) {
        setFloating(true);
        resize(wanted, std::max(window.height() / 2, minimumSizeHint().height()));
        const QRect frame = window.geometry();
        const QRect room = window.screen() ? window.screen()->availableGeometry() : frame;
        QRect placed(QPoint(frame.right() - wanted, frame.top() + window.height() / 4), size());
        placed.moveRight(std::min(placed.right(), room.right()));
        move(placed.topLeft());
    }
    setVisible(true);
    if (beside && spare >= wanted / 2)
        window.resizeDocks({this}, {std::min(wanted, spare)}, Qt::Horizontal);
}

void PointsTablePanel::copyRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : m_view->selectionModel()->selectedRows())
        rows.append(index.row());
    if (!rows.isEmpty())
        QApplication::clipboard()->setText(m_model->rowsText(rows));
}

} // namespace editor
