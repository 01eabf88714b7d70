// Builds the controls of the main window: the menu tree, the toolbar, the
// chart with its zoom and cursor controls, the colour-cycle editor, the RGB
// sliders, the simulator and the status bar.

#include "app/formcolour.h"
#include "app/shape.h"
#include "app/tags.h"
#include "chart/chartview.h"
#include "chart/simulator.h"
#include "platform/icons.h"

#include <QAction>
#include <QActionGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QSlider>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

void setGroupTitleFont(QLabel *label)
{
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
}

} // namespace

QAction *FormColour::addItem(QMenu *menu, const char *name, const QKeySequence &shortcut)
{
    auto *action = menu->addAction(QString());
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    m_menuItems.insert(action->objectName(), action);
    return action;
}

QMenu *FormColour::addSubMenu(QMenu *menu, const char *name)
{
    QMenu *sub = menu ? menu->addMenu(QString()) : menuBar()->addMenu(QString());
    sub->setObjectName(QString::fromLatin1(name));
    sub->menuAction()->setObjectName(QString::fromLatin1(name));
    m_menuItems.insert(sub->objectName(), sub->menuAction());
    return sub;
}

void FormColour::buildMenus()
{
    const auto ctrl = [](Qt::Key key) { return QKeySequence(Qt::CTRL | key); };

    QMenu *file = addSubMenu(nullptr, "mnuFile");
    mnuFile = file->menuAction();
    addItem(file, "mnuFileCreate", ctrl(Qt::Key_C));
    addItem(file, "mnuFileOpen", ctrl(Qt::Key_O));
    addItem(file, "mnuFileSave", ctrl(Qt::Key_S));
    addItem(file, "mnuFileSaveAs", ctrl(Qt::Key_A));
    addItem(file, "mnuFileClose", ctrl(Qt::Key_L));
    addItem(file, "mnuFileDelete", ctrl(Qt::Key_D));
    file->addSeparator()->setObjectName(QStringLiteral("mnuFileNullRecent"));
    QMenu *recent = addSubMenu(file, "mnuFileRecent");
    for (int n = 1; n <= kRecentFiles; ++n) {
        const QByteArray name = "mnuFileRecent" + QByteArray::number(n);
        addItem(recent, name.constData(), QKeySequence(Qt::ALT | Qt::Key(Qt::Key_1 + n - 1)))->setVisible(false);
    }
    recent->menuAction()->setEnabled(false);
    QMenu *templates = addSubMenu(file, "mnuFileTemplate");
    for (int n = 1; n <= 5; ++n) {
        const QByteArray name = "mnuFileTemplate" + QByteArray::number(n);
        addItem(templates, name.constData());
    }
    // A cycle computed from the sun and the moon of a place and a date.
    addItem(file, "mnuFileDaylight");
    file->addSeparator()->setObjectName(QStringLiteral("mnuFileNullExport"));
    addItem(file, "mnuFileExport");
    addItem(file, "mnuFilePrint");
    // A recent item's tool tip is the file's whole path.
    recent->setToolTipsVisible(true);
    file->addSeparator()->setObjectName(QStringLiteral("mnuFileNull"));
    addItem(file, "mnuFileExit");

    // The history of the cycle: its items' texts name the step they undo or redo.
    QMenu *edit = addSubMenu(nullptr, "mnuEdit");
    mnuEdit = edit->menuAction();
    addItem(edit, "mnuEditUndo", QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction *redo = addItem(edit, "mnuEditRedo");
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});

    QMenu *usb = addSubMenu(nullptr, "mnuUSB");
    mnuUSB = usb->menuAction();
    mnuUSBMenu = usb;
    QMenu *comPort = addSubMenu(usb, "mnuUSBComPort");
    addItem(comPort, "mnuUSBComPortA")->setCheckable(true);
    menuItem(QStringLiteral("mnuUSBComPortA"))->setChecked(true);
    addItem(comPort, "mnuUSBComPortM")->setCheckable(true);
    QMenu *portList = addSubMenu(comPort, "mnuUSBComPortS");
    portList->menuAction()->setEnabled(false);
    for (int n = 1; n <= 16; ++n) {
        const QByteArray name = "mnuUSBComPort" + QByteArray::number(n);
        addItem(portList, name.constData())->setCheckable(true);
    }
    usb->addSeparator()->setObjectName(QStringLiteral("mnuUSBNull"));
    addItem(usb, "mnuUsbOn", ctrl(Qt::Key_U))->setCheckable(true);
    mnuUsbEmulatorOn = addItem(usb, "mnuUsbEmulatorOn", ctrl(Qt::Key_E));
    mnuUsbEmulatorOn->setCheckable(true);
    mnuUsbEmulatorOn->setEnabled(false);
    QAction *interfaceOn = addItem(usb, "mnuUsbInterfaceOn", ctrl(Qt::Key_I));
    interfaceOn->setCheckable(true);
    interfaceOn->setEnabled(false);
    usb->addSeparator()->setObjectName(QStringLiteral("mnuUsbInterfaceOnNull"));
    QMenu *cycles = addSubMenu(usb, "mnuUsbInterfaceOnCycle");
    cycles->menuAction()->setEnabled(false);
    // At most one slot is ticked: the slot the commands reach.
    m_slotItems = new QActionGroup(this);
    m_slotItems->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (int n = 1; n <= 8; ++n) {
        const QByteArray name = "mnuUsbInterfaceOnCycle" + QByteArray::number(n);
        QAction *item = addItem(cycles, name.constData(), QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_F1 + n - 1)));
        item->setCheckable(true);
        item->setData(n);
        m_slotItems->addAction(item);
    }
    QMenu *commands = addSubMenu(usb, "mnuUsbInterfaceOnCommand");
    commands->menuAction()->setEnabled(false);
    addItem(commands, "mnuUsbInterfaceOnCommandRd", ctrl(Qt::Key_R))->setCheckable(true);
    addItem(commands, "mnuUsbInterfaceOnCommandWr", ctrl(Qt::Key_W))->setCheckable(true);
    addItem(commands, "mnuUsbInterfaceOnCommandNn", ctrl(Qt::Key_N))->setCheckable(true);
    addItem(commands, "mnuUsbInterfaceOnCommandCl")->setCheckable(true);
    commands->addSeparator()->setObjectName(QStringLiteral("mnuUsbInterfaceOnCommandNull"));
    addItem(commands, "mnuUsbInterfaceOnCommandEe")->setCheckable(true);
    QAction *eraseAll = addItem(commands, "mnuUsbInterfaceOnCommandEr");
    eraseAll->setCheckable(true);
    eraseAll->setEnabled(false);
    commands->addSeparator()->setObjectName(QStringLiteral("mnuUsbInterfaceOnCommandNull2"));
    QAction *verify = addItem(commands, "mnuUsbInterfaceOnCommandVf");
    verify->setCheckable(true);
    verify->setChecked(true);
    // Back up and restore need no slot chosen: beside the lists, checked while they run.
    for (const char *name : {"mnuUsbInterfaceOnBackup", "mnuUsbInterfaceOnRestore"}) {
        QAction *transfer = addItem(usb, name);
        transfer->setCheckable(true);
        transfer->setEnabled(false);
    }
    // On only while a back up or restore runs.
    addItem(usb, "mnuUsbInterfaceOnStop")->setEnabled(false);

    QMenu *enable = addSubMenu(nullptr, "mnuEnable");
    mnuEnable = enable->menuAction();
    mnuEnableRGB = addItem(enable, "mnuEnableRGB");
    mnuEnableColorCycle = addItem(enable, "mnuEnableColorCycle");
    mnuEnableSimulator = addItem(enable, "mnuEnableSimulator");
    for (QAction *a : {mnuEnableRGB, mnuEnableColorCycle, mnuEnableSimulator})
        a->setCheckable(true);
    enable->addSeparator()->setObjectName(QStringLiteral("mnuSimulatorNull1"));
    QMenu *simulator = addSubMenu(enable, "mnuSimulatorConfiguration");
    simulator->menuAction()->setEnabled(false);
    mnuSimulatorConfigurationMenu = simulator;
    addItem(simulator, "mnuSimulatorRestart")->setCheckable(true);
    simulator->addSeparator()->setObjectName(QStringLiteral("mnuSimulatorNull2"));
    for (const chart::SpeedItem &speed : chart::speedItems())
        addItem(simulator, speed.name)->setCheckable(true);
    menuItem(QStringLiteral("mnuSimulatorSpeedR"))->setChecked(true);

    QMenu *config = addSubMenu(nullptr, "mnuConfig");
    mnuConfig = config->menuAction();
    mnuConfigTimeViewer = addItem(config, "mnuConfigTimeViewer");
    mnuConfigLanguage = addItem(config, "mnuConfigLanguage");

    // What the window shows besides its controls.
    QMenu *view = addSubMenu(nullptr, "mnuView");
    mnuView = view->menuAction();
    addItem(view, "mnuViewPointsTable", ctrl(Qt::Key_T))->setCheckable(true);

    QMenu *help = addSubMenu(nullptr, "mnuHelp");
    mnuHelp = help->menuAction();
    addItem(help, "mnuHelpCommentOn")->setCheckable(true);
    addItem(help, "mnuHelpGuide", QKeySequence(QKeySequence::HelpContents));

    QMenu *info = addSubMenu(nullptr, "mnuInfo");
    mnuInfo = info->menuAction();
    addItem(info, "mnuInfoOrvanta");
    addItem(info, "mnuInfoBoard")->setEnabled(false);

    for (QAction *top : {mnuFile, mnuEdit, mnuUSB, mnuEnable, mnuConfig, mnuView})
        top->setEnabled(false);

    // The keyboard reaches the menus as in other desktop programs: Alt, or
    // Alt with a title's underlined letter, and F10 for the first menu.
    auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    f10->setObjectName(QStringLiteral("ShortcutMenuBar"));
    connect(f10, &QShortcut::activated, this, &FormColour::openFirstMenu);
}

void FormColour::buildToolbar()
{
    Toolbar = addToolBar(QStringLiteral("Toolbar"));
    Toolbar->setObjectName(QStringLiteral("Toolbar"));
    Toolbar->setMovable(false);
    Toolbar->setIconSize(QSize(24, 24));
    const struct
    {
        const char *key;
        const char *icon;
    } groups[][8] = {
        {{"Create", "create"},
         {"Open", "open"},
         {"Save", "save"},
         {"SaveAs", "saveas"},
         {"Close", "close"},
         {"Delete", "delete"}},
        {{"Undo", "undo"}, {"Redo", "redo"}},
        {{"USBOn", "usbon"}, {"USBEm", "usbem"}, {"USBIn", "usbin"}},
        {{"Cycle1", "cycle1"},
         {"Cycle2", "cycle2"},
         {"Cycle3", "cycle3"},
         {"Cycle4", "cycle4"},
         {"Cycle5", "cycle5"},
         {"Cycle6", "cycle6"},
         {"Cycle7", "cycle7"},
         {"Cycle8", "cycle8"}},
        {{"Read", "read"}, {"Write", "write"}, {"Rename", "rename"}, {"Stop", "stop"}},
        {{"Language", "language"}},
        {{"Exit", "exit"}},
    };
    bool first = true;
    for (const auto &group : groups) {
        if (!first)
            Toolbar->addSeparator();
        first = false;
        for (const auto &button : group) {
            if (!button.key)
                break;
            const QString key = QString::fromLatin1(button.key);
            // The buttons show pictures only. They carry no text, so that a
            // button without a comment shows no tool tip at all (an action
            // would otherwise show its text as one).
            QAction *action = Toolbar->addAction(icons::get(QString::fromLatin1(button.icon)), QString());
            action->setObjectName(QStringLiteral("Toolbar") + key);
            action->setProperty("Key", key);
            if (QWidget *widget = Toolbar->widgetForAction(action))
                widget->setAccessibleName(key);
            connect(action, &QAction::triggered, this, [this, key] { Toolbar_ButtonClick(key); });
            m_toolbarButtons.insert(key, action);
        }
    }
}

QPushButton *FormColour::makeButton(const char *name, const QString &iconName)
{
    auto *button = new QPushButton(this);
    button->setObjectName(QString::fromLatin1(name));
    if (!iconName.isEmpty()) {
        button->setIcon(icons::get(iconName));
        button->setIconSize(QSize(24, 24));
    }
    button->setMinimumSize(34, 30);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

QLabel *FormColour::makeLabel(const char *name, const QString &caption)
{
    auto *label = new QLabel(caption, this);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QLineEdit *FormColour::makeField(const char *name)
{
    auto *field = new QLineEdit(this);
    field->setObjectName(QString::fromLatin1(name));
    field->setAlignment(Qt::AlignCenter);
    QFont f = field->font();
    f.setFamily(QStringLiteral("DejaVu Sans Mono"));
    f.setStyleHint(QFont::Monospace);
    f.setPointSizeF(f.pointSizeF() * 1.15);
    field->setFont(f);
    field->setMinimumWidth(92);
    setTag(field, QStringLiteral("U"));
    return field;
}

QLabel *FormColour::makePicture(const char *name, const QString &iconName)
{
    auto *picture = new QLabel(this);
    picture->setObjectName(QString::fromLatin1(name));
    icons::setPicture(picture, iconName);
    picture->hide();
    return picture;
}

void FormColour::buildCentral()
{
    // The controls scroll when the window is smaller than they need (a small
    // screen at a high scale); at every size above that they are laid out whole.
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("FormColourScroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *central = new QWidget(scroll);
    central->setObjectName(QStringLiteral("FormColourCentral"));
    FormColourCentral = central;
    scroll->setWidget(central);
    setCentralWidget(scroll);
    auto *root = new QVBoxLayout(central);
    root->setContentsMargins(8, 6, 8, 6);
    root->setSpacing(6);

    // --- The chart with its zoom sliders and cursor controls.
    MSChartColorCycle = new ChartView(central);
    MSChartColorCycle->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    CommandCursorSelected = MSChartColorCycle->CommandCursorSelected;
    PictureSelected = MSChartColorCycle->PictureSelected;
    CommandCursorLeft = MSChartColorCycle->CommandCursorLeft;
    CommandCursorRight = MSChartColorCycle->CommandCursorRight;
    CommandCursorSimulator = MSChartColorCycle->CommandCursorSimulator;
    root->addWidget(MSChartColorCycle, 1);

    auto *zoomRow = new QHBoxLayout;
    SliderZoomMin = new QSlider(Qt::Horizontal, central);
    SliderZoomMin->setObjectName(QStringLiteral("SliderZoomMin"));
    SliderZoomMax = new QSlider(Qt::Horizontal, central);
    SliderZoomMax->setObjectName(QStringLiteral("SliderZoomMax"));
    for (QSlider *s : {SliderZoomMin, SliderZoomMax}) {
        s->setTickPosition(QSlider::TicksBelow);
        s->setPageStep(1);
    }
    zoomRow->addWidget(new QLabel(QStringLiteral("Zoom"), central));
    zoomRow->addWidget(SliderZoomMin, 1);
    zoomRow->addWidget(SliderZoomMax, 1);
    root->addLayout(zoomRow);

    auto *cursorRow = new QHBoxLayout;
    CommandCursorLeftView = makeButton("CommandCursorLeftView", QStringLiteral("cursorleft"));
    CommandCursorLeftL = makeButton("CommandCursorLeftL", QStringLiteral("stepleft"));
    CommandCursorLeftR = makeButton("CommandCursorLeftR", QStringLiteral("stepright"));
    CommandCursorRightView = makeButton("CommandCursorRightView", QStringLiteral("cursorright"));
    CommandCursorRightL = makeButton("CommandCursorRightL", QStringLiteral("stepleft"));
    CommandCursorRightR = makeButton("CommandCursorRightR", QStringLiteral("stepright"));
    LabelCursorLeft = makeLabel("LabelCursorLeft", QString());
    LabelDeltaL = makeLabel("LabelDeltaL", QString());
    LabelDelta = makeLabel("LabelDelta", QString());
    LabelDeltaR = makeLabel("LabelDeltaR", QString());
    LabelCursorRight = makeLabel("LabelCursorRight", QString());
    for (QLabel *l : {LabelCursorLeft, LabelDeltaL, LabelDelta, LabelDeltaR, LabelCursorRight}) {
        l->setMinimumWidth(120);
        l->setAlignment(Qt::AlignCenter);
        l->hide();
    }
    // The step and view buttons keep their size; the labels share the rest.
    for (QPushButton *b : {CommandCursorLeftView, CommandCursorLeftL, CommandCursorLeftR, CommandCursorRightView,
                           CommandCursorRightL, CommandCursorRightR})
        b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setTag(CommandCursorLeft, QStringLiteral("D"));
    setTag(CommandCursorRight, QStringLiteral("D"));
    cursorRow->addWidget(CommandCursorLeftView);
    cursorRow->addWidget(CommandCursorLeftL);
    cursorRow->addWidget(CommandCursorLeftR);
    cursorRow->addWidget(LabelCursorLeft, 1);
    cursorRow->addWidget(LabelDeltaL, 1);
    cursorRow->addWidget(LabelDelta, 1);
    cursorRow->addWidget(LabelDeltaR, 1);
    cursorRow->addWidget(LabelCursorRight, 1);
    cursorRow->addStretch();
    cursorRow->addWidget(CommandCursorRightL);
    cursorRow->addWidget(CommandCursorRightR);
    cursorRow->addWidget(CommandCursorRightView);
    root->addLayout(cursorRow);

    // --- The lower band: editor, transition, RGB sliders, simulator.
    auto *band = new QHBoxLayout;
    band->setSpacing(8);
    root->addLayout(band);

    ShapeColorCycle = new Shape(central);
    ShapeColorCycle->setObjectName(QStringLiteral("ShapeColorCycle"));
    auto *editor = new QGridLayout(ShapeColorCycle);
    editor->setContentsMargins(12, 10, 12, 10);
    editor->setHorizontalSpacing(8);
    editor->setVerticalSpacing(4);

    TextPointID = makeField("TextPointID");
    TextPointID->setReadOnly(true);
    TextPointID->setMinimumWidth(44);
    TextPointID->setMaximumWidth(52);
    TextPointID->setFocusPolicy(Qt::NoFocus);
    LabelPointID = makeLabel("LabelPointID", QString());
    {
        QFont f = LabelPointID->font();
        f.setBold(true);
        f.setPointSizeF(f.pointSizeF() * 1.3);
        LabelPointID->setFont(f);
    }
    LabelPointID->setAlignment(Qt::AlignCenter);
    LabelTimeName = makeLabel("LabelTimeName", QStringLiteral("Posizione"));
    LabelLengthName = makeLabel("LabelLengthName", QStringLiteral("Lunghezza"));
    TextTime = makeField("TextTime");
    TextLength = makeField("TextLength");
    LabelTime = makeLabel("LabelTime", QStringLiteral("hh : mm : ss"));
    LabelLength = makeLabel("LabelLength", QStringLiteral("hh : mm : ss"));
    for (QLabel *l : {LabelTime, LabelLength, LabelTimeName, LabelLengthName})
        l->setAlignment(Qt::AlignCenter);
    TextRed = makeField("TextRed");
    TextGreen = makeField("TextGreen");
    TextBlue = makeField("TextBlue");
    for (QLineEdit *f : {TextRed, TextGreen, TextBlue})
        f->setMinimumWidth(56);
    LabelRed = makeLabel("LabelRed", QStringLiteral("Rosso %"));
    LabelGreen = makeLabel("LabelGreen", QStringLiteral("Verde %"));
    LabelBlue = makeLabel("LabelBlue", QStringLiteral("Blu %"));
    for (QLabel *l : {LabelRed, LabelGreen, LabelBlue})
        l->setAlignment(Qt::AlignCenter);
    LabelRange = makeLabel("LabelRange", QString());
    LabelRange->setAlignment(Qt::AlignCenter);
    LabelRange->hide();

    CommandFirst = makeButton("CommandFirst", QStringLiteral("first"));
    CommandPrevious = makeButton("CommandPrevious", QStringLiteral("previous"));
    CommandNext = makeButton("CommandNext", QStringLiteral("next"));
    CommandLast = makeButton("CommandLast", QStringLiteral("last"));
    CommandInsert = makeButton("CommandInsert", QStringLiteral("insert"));
    CommandEdit = makeButton("CommandEdit", QStringLiteral("edit"));
    CommandRemove = makeButton("CommandRemove", QStringLiteral("remove"));
    CommandMoveShift = makeButton("CommandMoveShift", QStringLiteral("move_en"));
    CommandSave = makeButton("CommandSave", QStringLiteral("save_point"));
    CommandAnnul = makeButton("CommandAnnul", QStringLiteral("annul"));
    CommandColor = makeButton("CommandColor", QStringLiteral("color"));

    auto *title = makeLabel("LabelColorCycleTitle", QStringLiteral("Punto Colore"));
    setGroupTitleFont(title);
    auto *nav = new QHBoxLayout;
    nav->setSpacing(4);
    nav->addWidget(CommandFirst);
    nav->addWidget(CommandPrevious);
    nav->addWidget(TextPointID);
    nav->addWidget(LabelPointID, 1);
    nav->addWidget(CommandNext);
    nav->addWidget(CommandLast);
    auto *edit = new QHBoxLayout;
    edit->setSpacing(4);
    for (QPushButton *b :
         {CommandInsert, CommandEdit, CommandRemove, CommandMoveShift, CommandSave, CommandAnnul, CommandColor})
        edit->addWidget(b);

    editor->addWidget(title, 0, 0, 1, 5);
    editor->addLayout(nav, 1, 0, 1, 5);
    editor->addWidget(LabelTimeName, 2, 0);
    editor->addWidget(LabelLengthName, 2, 1);
    editor->addWidget(LabelRed, 2, 2);
    editor->addWidget(LabelGreen, 2, 3);
    editor->addWidget(LabelBlue, 2, 4);
    editor->addWidget(TextTime, 3, 0);
    editor->addWidget(TextLength, 3, 1);
    editor->addWidget(TextRed, 3, 2);
    editor->addWidget(TextGreen, 3, 3);
    editor->addWidget(TextBlue, 3, 4);
    editor->addWidget(LabelTime, 4, 0);
    editor->addWidget(LabelLength, 4, 1);
    editor->addWidget(LabelRange, 4, 2, 1, 3);
    editor->addLayout(edit, 5, 0, 1, 5);
    band->addWidget(ShapeColorCycle, 3);

    ShapeTransition = new Shape(central);
    ShapeTransition->setObjectName(QStringLiteral("ShapeTransition"));
    auto *transition = new QVBoxLayout(ShapeTransition);
    transition->setContentsMargins(12, 10, 12, 10);
    LabelTransitionName = makeLabel("LabelTransitionName", QStringLiteral("Tempo Viraggio Fine Ciclo"));
    LabelTransitionName->setWordWrap(true);
    LabelTransitionName->setAlignment(Qt::AlignCenter);
    TextTransition = makeField("TextTransition");
    LabelTransition = makeLabel("LabelTransition", QStringLiteral("hh : mm : ss"));
    LabelTransition->setAlignment(Qt::AlignCenter);
    transition->addStretch();
    transition->addWidget(LabelTransitionName);
    transition->addWidget(TextTransition);
    transition->addWidget(LabelTransition);
    transition->addStretch();
    band->addWidget(ShapeTransition, 1);

    auto makeColourSlider = [&](const char *shapeName, const char *sliderName, const QString &caption) {
        auto *shape = new Shape(central);
        shape->setObjectName(QString::fromLatin1(shapeName));
        auto *layout = new QVBoxLayout(shape);
        layout->setContentsMargins(8, 8, 8, 8);
        auto *slider = new QSlider(Qt::Vertical, shape);
        slider->setObjectName(QString::fromLatin1(sliderName));
        slider->setRange(0, 100);
        slider->setTickPosition(QSlider::TicksBothSides);
        slider->setTickInterval(10);
        slider->setEnabled(false);
        slider->setMinimumHeight(96);
        auto *label = new QLabel(caption, shape);
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(slider, 1, Qt::AlignHCenter);
        layout->addWidget(label);
        band->addWidget(shape);
        return std::pair{shape, slider};
    };
    std::tie(ShapeRed, SliderRed) = makeColourSlider("ShapeRed", "SliderRed", QStringLiteral("R"));
    std::tie(ShapeGreen, SliderGreen) = makeColourSlider("ShapeGreen", "SliderGreen", QStringLiteral("G"));
    std::tie(ShapeBlue, SliderBlue) = makeColourSlider("ShapeBlue", "SliderBlue", QStringLiteral("B"));

    ShapeSimulator = new Shape(central);
    ShapeSimulator->setObjectName(QStringLiteral("ShapeSimulator"));
    auto *simulator = new QGridLayout(ShapeSimulator);
    simulator->setContentsMargins(12, 10, 12, 10);
    ShapeColor = new Shape(ShapeSimulator);
    ShapeColor->setObjectName(QStringLiteral("ShapeColor"));
    ShapeColor->setFillColor(QColor(0, 0, 0));
    ShapeColor->setMinimumSize(72, 56);
    CommandStart = makeButton("CommandStart", QStringLiteral("start_en"));
    CommandPause = makeButton("CommandPause", QStringLiteral("pause"));
    CommandStop = makeButton("CommandStop", QStringLiteral("stop"));
    for (QPushButton *b : {CommandStart, CommandPause, CommandStop})
        b->setEnabled(false);
    LabelSimulatorTime = makeLabel("LabelSimulatorTime", QStringLiteral("00:00:00"));
    LabelSimulatorSpeed = makeLabel("LabelSimulatorSpeed", QString::fromUtf8("Velocità: Tempo Reale"));
    {
        QFont f = LabelSimulatorTime->font();
        f.setFamily(QStringLiteral("DejaVu Sans Mono"));
        f.setPointSizeF(f.pointSizeF() * 1.4);
        f.setBold(true);
        LabelSimulatorTime->setFont(f);
    }
    LabelSimulatorTime->setAlignment(Qt::AlignCenter);
    LabelSimulatorSpeed->setAlignment(Qt::AlignCenter);
    // The clock and speed lines keep their room while hidden, so starting the
    // simulator does not shift the chart above.
    for (QLabel *label : {LabelSimulatorTime, LabelSimulatorSpeed}) {
        QSizePolicy policy = label->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        label->setSizePolicy(policy);
        label->hide();
    }
    auto *simTitle = makeLabel("LabelSimulatorTitle", QStringLiteral("Simulatore"));
    setGroupTitleFont(simTitle);
    simulator->addWidget(simTitle, 0, 0, 1, 3);
    simulator->addWidget(ShapeColor, 1, 0, 1, 3);
    simulator->addWidget(CommandStart, 2, 0);
    simulator->addWidget(CommandPause, 2, 1);
    simulator->addWidget(CommandStop, 2, 2);
    simulator->addWidget(LabelSimulatorTime, 3, 0, 1, 3);
    simulator->addWidget(LabelSimulatorSpeed, 4, 0, 1, 3);
    simulator->setRowStretch(5, 1);
    band->addWidget(ShapeSimulator, 1);

    PictureSaveIns = makePicture("PictureSaveIns", QStringLiteral("save_insert"));
    PictureMoveEn = makePicture("PictureMoveEn", QStringLiteral("move_en"));
    PictureMoveDs = makePicture("PictureMoveDs", QStringLiteral("move_ds"));
    PictureShiftEn = makePicture("PictureShiftEn", QStringLiteral("shift_en"));
    PictureShiftDs = makePicture("PictureShiftDs", QStringLiteral("shift_ds"));
    PictureStartEn = makePicture("PictureStartEn", QStringLiteral("start_en"));
    PictureStartDs = makePicture("PictureStartDs", QStringLiteral("start_ds"));
    PictureStartAEn = makePicture("PictureStartAEn", QStringLiteral("starta_en"));
    PictureStartADs = makePicture("PictureStartADs", QStringLiteral("starta_ds"));
    CommandSave->setProperty("DownPicture", QVariant::fromValue(icons::get(QStringLiteral("save_point"))));
}

void FormColour::buildStatusBar()
{
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    StatusBarPanel1 = new QLabel(this);
    StatusBarPanel1->setObjectName(QStringLiteral("StatusBarPanel1"));
    StatusBarPanel2 = new QLabel(this);
    StatusBarPanel2->setObjectName(QStringLiteral("StatusBarPanel2"));
    ProgressBarWait = new QProgressBar(this);
    ProgressBarWait->setObjectName(QStringLiteral("ProgressBarWait"));
    ProgressBarWait->setTextVisible(false);
    ProgressBarWait->setMaximumWidth(180);
    ProgressBarWait->setMaximumHeight(14);
    statusBar()->addWidget(StatusBarPanel1, 1);
    statusBar()->addPermanentWidget(ProgressBarWait);
    StatusBarPanel3 = new QLabel(this);
    StatusBarPanel3->setObjectName(QStringLiteral("StatusBarPanel3"));
    StatusBarPanel4 = new QLabel(this);
    StatusBarPanel4->setObjectName(QStringLiteral("StatusBarPanel4"));
    for (QLabel *panel : {StatusBarPanel3, StatusBarPanel4})
        panel->setContentsMargins(12, 0, 0, 0);
    statusBar()->addPermanentWidget(StatusBarPanel4);
    statusBar()->addPermanentWidget(StatusBarPanel3);
    statusBar()->addPermanentWidget(StatusBarPanel2);
}
