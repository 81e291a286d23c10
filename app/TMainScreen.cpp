#include "TMainScreen.h"

#include "SurfaceView.h"
#include "TOpeningMark.h"
#include "ToolIcons.h"
#include "app/ObjectKinds.h"
#include "document/TGBusinessCardPanel32.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/system/AtomicFile.h"
#include "platform/system/FileName.h"
#include "platform/system/HomeFolder.h"
#include "platform/widgets/CenterForm.h"
#include "platform/widgets/DialogHost.h"
#include "platform/widgets/HelpViewer.h"
#include "platform/widgets/WindowPlacement.h"
#include "printing/TPrintCommands.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace {
struct ToolSpec {
    const char* name;
    const char* hint;
    TGBusinessCardPanel32::TLPanelState state;
};
// The thirteen tool buttons, in tool-bar order.
const ToolSpec toolSpecs[] = {
    {"Pointerbutton", "Selection tool", TGBusinessCardPanel32::psPointing},
    {"DrawLabelButton", "Text tool", TGBusinessCardPanel32::psLabel},
    {"DrawMLTextButton", "Multi-line text tool", TGBusinessCardPanel32::psMultiLineLabel},
    {"DrawSymbolButton", "Symbol tool", TGBusinessCardPanel32::psSymbolLabel},
    {"DrawRectanglebutton", "Rectangle tool", TGBusinessCardPanel32::psRectangle},
    {"DrawEllipseButton", "Ellipse tool", TGBusinessCardPanel32::psEllipse},
    {"DrawRoundrectbutton", "Round Rectangle tool", TGBusinessCardPanel32::psRoundRectangle},
    {"DrawLinebutton", "Line Tool", TGBusinessCardPanel32::psLine},
    {"DrawImageButton", "Clip Art Tool", TGBusinessCardPanel32::psImage},
    {"DrawSupershape", "Supershape tool \rMulti-purpose shapes and surfaces",
     TGBusinessCardPanel32::psSuperShape},
    {"DrawRichText", "Rich Text tool \rMixed fonts, colors and styles",
     TGBusinessCardPanel32::psRichLabel},
    {"DrawSuperTextButton",
     "SuperText tool \rSpecial Effects Text - fill with gradients or bitmaps",
     TGBusinessCardPanel32::psSuperText},
    {"DrawCircleTextbutton", "CircleText Tool \rCircular or semi-circular text using any font",
     TGBusinessCardPanel32::psCircleText},
};

// A hint's carriage returns are line breaks.
QString hintText(const char* hint) {
    return QString::fromLatin1(hint).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}
} // namespace

TMainScreen::TMainScreen(QWidget* parent)
    : QMainWindow(parent), surface_(std::make_unique<TGBusinessCardPanel32>(this)),
      recovery_(*surface_) {
    setObjectName(QStringLiteral("MainScreen"));
    setWindowTitle(QStringLiteral("Orlanto"));
    setWindowIcon(ToolIcons::applicationIcon());
    busy_ = true;
    surface_->setObjectName(QStringLiteral("BusinessCardPanel"));
    surface_->setDrawOutline(true);
    ObjectKinds::registerAll(*surface_);

    view_ = new SurfaceView(*surface_);
    view_->setObjectName(QStringLiteral("SurfaceView"));
    // Dialogs opened over the window leave the card in sight where the screen has room.
    platform::keepInSight(view_);
    scroll_ = new QScrollArea;
    scroll_->setObjectName(QStringLiteral("ScrollBox"));
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->setWidget(view_);
    scroll_->viewport()->installEventFilter(this);
    setCentralWidget(scroll_);
    setAcceptDrops(true);

    buildToolBar();
    buildMenus();
    buildStatusBar();
    connect(surface_.get(), &TGBasePanel::droppedObject, this, [this] {
        surface_->setPanelState(TGBusinessCardPanel32::psPointing);
        tools_->button(TGBusinessCardPanel32::psPointing)->setChecked(true);
    });
    qApp->installEventFilter(this);

    prefs_ = TPreferences::loadPreferences();
    sizeCardFromLayout();
    prefs_.applyTo(*surface_);
    setDefaultFontCaption();
    trackCardState();
    setChangesMade(false);
    recent_ = TRecentFiles::load();
    rebuildRecentMenu();
    const QString home = platform::HomeFolder::path();
    for (const char* folder : {"bmbrush", "Saved", "bg"})
        QDir().mkpath(home + QLatin1String(folder));
    // What writes that a killed session never finished left beside the recovery copy, the
    // clipboard, the preferences and the saved cards.
    for (const QString& folder : {home, savedFolder()})
        platform::AtomicFile::removeStale(folder);
    setbuttons();
    resize(760, 520);
}

TMainScreen::~TMainScreen() {
    qApp->removeEventFilter(this);
    // The history empties itself as it goes: that is no saved card.
    surface_->history().stack().disconnect(this);
    delete view_; // before the surface it shows
    view_ = nullptr;
}

void TMainScreen::buildToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Tools"));
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setMovable(false);
    tools_ = new QButtonGroup(this);
    tools_->setExclusive(true);
    int index = 0;
    for (const ToolSpec& t : toolSpecs) {
        auto* b = new QToolButton;
        b->setObjectName(QLatin1String(t.name));
        b->setToolTip(hintText(t.hint));
        b->setIcon(ToolIcons::icon(index++));
        b->setCheckable(true);
        b->setAutoRaise(true);
        // Kinds this version does not build yet keep their place, disabled.
        b->setEnabled(t.state == TGBusinessCardPanel32::psPointing || surface_->hasTool(t.state));
        tools_->addButton(b, t.state);
        bar->addWidget(b);
    }
    tools_->button(TGBusinessCardPanel32::psPointing)->setChecked(true);
    connect(tools_, &QButtonGroup::idClicked, this, &TMainScreen::toolClicked);
    bar->addSeparator();

    auto toolButton = [bar](const char* name, const char* hint, int icon, bool checkable) {
        auto* b = new QToolButton;
        b->setObjectName(QLatin1String(name));
        b->setToolTip(QLatin1String(hint));
        b->setIcon(ToolIcons::icon(icon));
        b->setCheckable(checkable);
        b->setAutoRaise(true);
        bar->addWidget(b);
        return b;
    };
    QToolButton* grid = toolButton("ShowGrid", "Show grid", 13, true);
    connect(grid, &QToolButton::toggled, this, [this](bool on) { surface_->setShowGrid(on); });
    QToolButton* snap = toolButton("SnapToGrid", "Snap to Grid", 14, true);
    connect(snap, &QToolButton::toggled, this, [this](bool on) { surface_->setSnapToGrid(on); });
    QToolButton* art = toolButton("BackgroundButton", "Set or change background art", 15, false);
    connect(art, &QToolButton::clicked, this, &TMainScreen::backgroundArtCommand);
    // Commands on a second row, so that the tools never fold away on a narrow window.
    addToolBarBreak();
    bar = addToolBar(QStringLiteral("Commands"));
    bar->setObjectName(QStringLiteral("CommandBar"));
    bar->setMovable(false);
    auto textButton = [this, bar](const char* name, const char* caption,
                                  void (TMainScreen::*slot)()) {
        auto* b = new QPushButton(QLatin1String(caption));
        b->setObjectName(QLatin1String(name));
        bar->addWidget(b);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    // Alt+V belongs to the View menu: the Preview button underlines its w.
    printButtons_ << textButton("PrintButton", "&Print", &TMainScreen::printCommand)
                  << textButton("PreviewButton", "Previe&w", &TMainScreen::previewCommand);
    auto* helpButton = new QPushButton(QStringLiteral("&Help"));
    helpButton->setObjectName(QStringLiteral("HelpButton"));
    connect(helpButton, &QPushButton::clicked, this, [] { platform::HelpViewer::showTopic(2016); });
    bar->addWidget(helpButton);
    bar->addSeparator();

    auto* zoomBox = new QWidget;
    zoomBox->setObjectName(QStringLiteral("ZoomSpinner"));
    zoomBox->setToolTip(
        hintText("Press plus (+) or minus (-) to \rincrease or decrease the zoom percentage"));
    auto* zl = new QHBoxLayout(zoomBox);
    zl->setContentsMargins(4, 0, 4, 0);
    auto* down = new QToolButton;
    down->setObjectName(QStringLiteral("ZoomOutButton"));
    down->setArrowType(Qt::LeftArrow);
    auto* up = new QToolButton;
    up->setObjectName(QStringLiteral("ZoomInButton"));
    up->setArrowType(Qt::RightArrow);
    zoomCaption_ = new QLabel(QStringLiteral("100%"));
    zoomCaption_->setObjectName(QStringLiteral("ZoomCaption"));
    zoomCaption_->setMinimumWidth(40);
    zoomCaption_->setAlignment(Qt::AlignCenter);
    zl->addWidget(down);
    zl->addWidget(zoomCaption_);
    zl->addWidget(up);
    connect(down, &QToolButton::clicked, this, &TMainScreen::zoomOut);
    connect(up, &QToolButton::clicked, this, &TMainScreen::zoomIn);
    auto* fit = new QToolButton;
    fit->setObjectName(QStringLiteral("ZoomFitButton"));
    fit->setText(QStringLiteral("Fit"));
    fit->setToolTip(QStringLiteral("Zoom to fit"));
    fit->setAutoRaise(true);
    zl->addWidget(fit);
    connect(fit, &QToolButton::clicked, this, &TMainScreen::zoomToFitCommand);
    bar->addWidget(zoomBox);

    auto* spacer = new QWidget;
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    bar->addWidget(spacer);
    saveButton_ = new QPushButton(QStringLiteral("Save As"));
    saveButton_->setObjectName(QStringLiteral("Savebutton"));
    saveButton_->setDefault(true);
    cancelButton_ = new QPushButton(QStringLiteral("Cancel"));
    cancelButton_->setObjectName(QStringLiteral("Cancelbutton"));
    // In a box of their own: a tool bar shows its widgets again on every layout, so only
    // there do they stay hidden while no changes are made.
    auto* saveBox = new QWidget;
    auto* saveRow = new QHBoxLayout(saveBox);
    saveRow->setContentsMargins(0, 0, 0, 0);
    saveRow->addWidget(saveButton_);
    saveRow->addWidget(cancelButton_);
    bar->addWidget(saveBox);
    connect(saveButton_, &QPushButton::clicked, this, [this] {
        if (currentFileName_.isEmpty())
            saveAsCommand();
        else
            saveCommand();
    });
    connect(cancelButton_, &QPushButton::clicked, this, &TMainScreen::cancelChangesCommand);
}

void TMainScreen::buildMenus() {
    auto add = [this](QMenu* menu, const char* name, const char* caption,
                      void (TMainScreen::*slot)()) {
        QAction* a = menu->addAction(QLatin1String(caption));
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    fileMenu_ = menuBar()->addMenu(QStringLiteral("&File"));
    add(fileMenu_, "mnuNew", "&New", &TMainScreen::newCommand)->setShortcut(QKeySequence::New);
    add(fileMenu_, "mnuOpen", "&Open", &TMainScreen::openCommand)->setShortcut(QKeySequence::Open);
    add(fileMenu_, "mnuDelete", "&Delete", &TMainScreen::deleteCommand);
    saveAction_ = add(fileMenu_, "mnuSave", "Save", &TMainScreen::saveCommand);
    saveAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    saveAction_->setShortcutContext(Qt::ApplicationShortcut);
    add(fileMenu_, "mnuSaveAs", "Save &As...", &TMainScreen::saveAsCommand)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    fileMenu_->addSeparator();
    QAction* print = add(fileMenu_, "mnuPrint", "&Print", &TMainScreen::printCommand);
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    previewActions_ << print
                    << add(fileMenu_, "mnuPreview", "Pre&view", &TMainScreen::previewCommand);
    printActions_ << add(fileMenu_, "mnuPrinterSetup", "Printer S&etup",
                         &TMainScreen::printerSetupCommand)
                  << add(fileMenu_, "mnuPrinterFineTuning", "Printer Fine &Tuning",
                         &TMainScreen::fineTuningCommand)
                  << add(fileMenu_, "mnuOutlineTestPage", "Print O&utline Test Page",
                         &TMainScreen::outlineTestPageCommand);
    add(fileMenu_, "mnuExportPdf", "Expo&rt as PDF...", &TMainScreen::exportPdfCommand);
    // The recent files go between these two separators, above Exit.
    recentSeparator_ = fileMenu_->addSeparator();
    exitSeparator_ = fileMenu_->addSeparator();
    add(fileMenu_, "mnuExit", "E&xit", &TMainScreen::exitCommand)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    undoAction_ = add(edit, "mnuUndo", "&Undo", &TMainScreen::undoCommand);
    undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction_ = add(edit, "mnuRedo", "&Redo", &TMainScreen::redoCommand);
    redoAction_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addSeparator();
    QAction* selectAll = edit->addAction(QStringLiteral("Select &All"));
    selectAll->setObjectName(QStringLiteral("mnuSelectAll"));
    selectAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    connect(selectAll, &QAction::triggered, this, [this] { surface_->selectAll(); });
    edit->addSeparator();
    defaultFontAction_ =
        add(edit, "mnuDefaultFont", "&Default Font - ", &TMainScreen::defaultFontCommand);
    add(edit, "mnuPersonalInformation", "&Personal Information",
        &TMainScreen::personalInformationCommand);
    add(edit, "mnuBackgroundArt", "&Set or Change Background Art",
        &TMainScreen::backgroundArtCommand);
    add(edit, "mnuLayout", "Change Business Card Layout", &TMainScreen::layoutCommand);

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    auto zoomAction = [this, view](const char* name, const char* caption, auto slot) {
        QAction* a = view->addAction(QLatin1String(caption));
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    zoomAction("mnuZoomIn", "Zoom &In", [this] {
        zoomSteps(1);
    })->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    zoomAction("mnuZoomOut", "Zoom &Out", [this] {
        zoomSteps(-1);
    })->setShortcut(QKeySequence::ZoomOut);
    zoomAction("mnuActualSize", "&Actual Size", [this] {
        zoomToPercent(100);
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    zoomAction("mnuZoomToFit", "Zoom to &Fit", [this] { zoomToFitCommand(); });

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    QAction* windowHelp = help->addAction(QStringLiteral("&Help on This Window"));
    windowHelp->setObjectName(QStringLiteral("mnuWindowHelp"));
    windowHelp->setShortcut(QKeySequence(Qt::Key_F1));
    connect(windowHelp, &QAction::triggered, this, [] { platform::HelpViewer::showTopic(2016); });
    QAction* contents = help->addAction(QStringLiteral("&Contents"));
    contents->setObjectName(QStringLiteral("mnuContents"));
    connect(contents, &QAction::triggered, this, [] { platform::HelpViewer::showContents(); });
    add(help, "mnuAbout", "&About", &TMainScreen::aboutCommand);
}

void TMainScreen::rebuildRecentMenu() {
    for (QAction* a : recentActions_) {
        fileMenu_->removeAction(a);
        delete a;
    }
    recentActions_.clear();
    int n = 1;
    for (const QString& name : recent_.files()) {
        auto* a = new QAction(
            QStringLiteral("&%1 %2").arg(n++).arg(platform::FileName::display(name)), fileMenu_);
        fileMenu_->insertAction(exitSeparator_, a);
        connect(a, &QAction::triggered, this, [this, name] { mruItemClick(name); });
        recentActions_ << a;
    }
    recentSeparator_->setVisible(!recentActions_.isEmpty());
}

void TMainScreen::toolClicked(int state) {
    surface_->setPanelState(TGBusinessCardPanel32::TLPanelState(state));
}

void TMainScreen::sizeCardFromLayout() {
    // The card's size in card pixels; the zoom only shows it larger or smaller.
    const QSize size = prefs_.print.layout.cardPixelSize(platform::ScreenMetrics::pixelsPerInch());
    surface_->setSize(size.width(), size.height());
}

void TMainScreen::firstActivation() {
    if (activated_) return;
    activated_ = true;
    busy_ = true;
    platform::WindowPlacement::restoreWindowPlacement(*this);
    show();
    surface_->setShape(TGBasePanel::lsRectangle);
    sizeCardFromLayout();
    // A copy: opening moves the name to the top of the list, which would pull a reference
    // into the list from under the opening.
    const QString last = recent_.files().value(0);
    if (!last.isEmpty() && last == TOpeningMark::unfinished())
        statusBar()->showMessage(
            QStringLiteral("%1 was not opened again: its last opening did not finish").arg(last));
    else if (!last.isEmpty() && platform::FileName::exists(last))
        openBCFile(last);
    fitSmallCard();
    // A window manager may size the window (maximise it) after it is shown: until the user
    // zooms, each new size applies the rule again.
    startZoom_ = surface_->zoomFactor();
    surface_->history().clear();
    setChangesMade(false);
    offerRecovery();
    connect(surface_.get(), &TGBasePanel::labelChanged, this, &TMainScreen::labelChanged,
            Qt::UniqueConnection);
    busy_ = false;
    emit activated();
    // Later reloads of the preferences meet the same layout: the user hears of it once.
    if (prefs_.layoutReplaced) platform::showInformation(TPreferences::layoutReplacedMessage());
    createPrintCommands();
    setbuttons();
}

void TMainScreen::fitSmallCard() {
    // A card that would show at 100 % smaller than a third of the window is zoomed to fit.
    if (layout()) layout()->activate();
    const QSize room = scroll_->maximumViewportSize();
    const double zoom = surface_->zoomFactor();
    if (surface_->width() / zoom * 3 < room.width() &&
        surface_->height() / zoom * 3 < room.height())
        zoomToFitCommand();
}

void TMainScreen::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    // Not while the window changes the card itself (a zoom lets pending events run).
    if (startZoom_ == 0 || busy_) return;
    if (surface_->zoomFactor() != startZoom_) {
        startZoom_ = 0; // the user has zoomed: the window's size no longer decides
        return;
    }
    fitSmallCard();
    startZoom_ = surface_->zoomFactor();
}

bool TMainScreen::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) {
        surface_->invalidate();
        firstActivation();
    } else if (e->type() == QEvent::Show && !activated_) {
        // Without a window manager a shown window may never be activated: the first
        // activation's work then runs once the window is on screen.
        QMetaObject::invokeMethod(this, &TMainScreen::firstActivation, Qt::QueuedConnection);
    }
    return QMainWindow::event(e);
}

void TMainScreen::closeEvent(QCloseEvent* e) {
    // Whatever closes the window (its close button, Exit, Ctrl+Q, the session) asks first.
    if (!checkSaveNeeded()) {
        e->ignore();
        return;
    }
    platform::WindowPlacement::saveWindowPlacement(*this);
    TRecoveryFile::remove();
    platform::HelpViewer::close();
    e->accept();
}

void TMainScreen::setbuttons() {
    for (QAction* a : printActions_)
        a->setEnabled(printersAvailable());
    for (QAction* a : previewActions_)
        a->setEnabled(printCommands_ != nullptr);
    for (QPushButton* b : printButtons_)
        b->setEnabled(printCommands_ != nullptr);
    changesChanged();
}

bool TMainScreen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel && (watched == view_ || watched == scroll_->viewport()))
        return wheelZoom(event);
    if (watched == view_ && event->type() == QEvent::MouseMove)
        updatePointerStatus(static_cast<QMouseEvent*>(event)->position().toPoint());
    else if (watched == view_ && event->type() == QEvent::Leave)
        pointerStatus_->clear();
    else if (watched == view_ && event->type() == QEvent::Paint)
        updateSelectionStatus(); // whatever changed the selection shows on the card now
    if (watched == scroll_->viewport() && event->type() == QEvent::MouseButtonPress) {
        // A click on the scroll box around the card clears the selection.
        surface_->handle().clear();
        return false;
    }
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || w->window() != this || w != QApplication::focusWidget()) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    // The keypad's plus and minus step the zoom buttons when released; with Ctrl they are the
    // zoom keys, whose shortcut has acted on the press. Only a press without Ctrl steps on
    // its release, whichever key the user lets go first.
    const bool keypadZoom = key->modifiers().testFlag(Qt::KeypadModifier) &&
                            (key->key() == Qt::Key_Plus || key->key() == Qt::Key_Minus);
    if (event->type() == QEvent::KeyRelease) {
        if (keypadZoom && key->key() == keypadZoomKey_ && !key->isAutoRepeat()) {
            keypadZoomKey_ = 0;
            zoomBy(key->key() == Qt::Key_Plus);
        }
        return false;
    }
    if (keypadZoom && !key->modifiers().testFlag(Qt::ControlModifier)) {
        keypadZoomKey_ = key->key();
        return true;
    }
    // Enter and Escape act on the window's default (Save) and cancel buttons while shown.
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    QPushButton* button = enter                          ? saveButton_
                          : key->key() == Qt::Key_Escape ? cancelButton_
                                                         : nullptr;
    if (button && button->isVisible()) {
        button->click();
        return true;
    }
    QScrollBar* vbar = scroll_->verticalScrollBar();
    switch (key->key()) {
    case Qt::Key_PageUp:
        vbar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        return true;
    case Qt::Key_PageDown:
        vbar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        return true;
    case Qt::Key_Home:
        vbar->setValue(vbar->minimum());
        return true;
    case Qt::Key_End:
        vbar->setValue(vbar->maximum());
        return true;
    default:
        break;
    }
    // Keys typed while the card itself is not focused still reach the surface.
    if (w != view_) surface_->keyHandler(key->key(), key->modifiers());
    return false;
}
