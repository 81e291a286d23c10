#include "TMainScreen.h"

#include "SurfaceView.h"
#include "ToolIcons.h"
#include "document/TGBusinessCardPanel32.h"
#include "app/ObjectKinds.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

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
QString hintText(const char* hint)
{
    return QString::fromLatin1(hint).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}
} // namespace

TMainScreen::TMainScreen(QWidget* parent)
    : QMainWindow(parent), surface_(std::make_unique<TGBusinessCardPanel32>(this))
{
    setObjectName(QStringLiteral("MainScreen"));
    setWindowTitle(QStringLiteral("Orlanto"));
    setWindowIcon(ToolIcons::applicationIcon());
    busy_ = true;
    surface_->setObjectName(QStringLiteral("BusinessCardPanel"));
    surface_->setDrawOutline(true);
    surface_->setShape(TGBasePanel::lsRectangle);
    ObjectKinds::registerAll(*surface_);

    view_ = new SurfaceView(*surface_);
    scroll_ = new QScrollArea;
    scroll_->setObjectName(QStringLiteral("ScrollBox"));
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->setWidget(view_);
    scroll_->viewport()->installEventFilter(this);
    setCentralWidget(scroll_);

    buildToolBar();
    buildMenus();
    connect(surface_.get(), &TGBasePanel::droppedObject, this, [this] {
        surface_->SetPanelState(TGBusinessCardPanel32::psPointing);
        tools_->button(TGBusinessCardPanel32::psPointing)->setChecked(true);
    });
    connect(surface_.get(), &TGBasePanel::labelChanged, this, &TMainScreen::LabelChanged);
    qApp->installEventFilter(this);
    SetChangesMade(false);
    busy_ = false;
    Setbuttons();
    resize(720, 480);
}

TMainScreen::~TMainScreen()
{
    qApp->removeEventFilter(this);
    delete view_; // before the surface it shows
    view_ = nullptr;
}

void TMainScreen::buildToolBar()
{
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
        b->setEnabled(t.state == TGBusinessCardPanel32::psPointing || surface_->hasTool(t.state));
        tools_->addButton(b, t.state);
        bar->addWidget(b);
    }
    tools_->button(TGBusinessCardPanel32::psPointing)->setChecked(true);
    connect(tools_, &QButtonGroup::idClicked, this, &TMainScreen::toolClicked);
    bar->addSeparator();

    auto toggle = [bar](const char* name, const char* hint, int icon) {
        auto* b = new QToolButton;
        b->setObjectName(QLatin1String(name));
        b->setToolTip(QLatin1String(hint));
        b->setIcon(ToolIcons::icon(icon));
        b->setCheckable(true);
        b->setAutoRaise(true);
        bar->addWidget(b);
        return b;
    };
    QToolButton* grid = toggle("ShowGrid", "Show grid", 13);
    connect(grid, &QToolButton::toggled, this, [this](bool on) { surface_->setShowGrid(on); });
    QToolButton* snap = toggle("SnapToGrid", "Snap to Grid", 14);
    connect(snap, &QToolButton::toggled, this, [this](bool on) { surface_->setSnapToGrid(on); });
    bar->addSeparator();

    auto* zoomBox = new QWidget;
    zoomBox->setObjectName(QStringLiteral("ZoomSpinner"));
    zoomBox->setToolTip(QStringLiteral("Press plus (+) or minus (-) to \nincrease or decrease the zoom percentage"));
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
    bar->addWidget(zoomBox);

    auto* spacer = new QWidget;
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    bar->addWidget(spacer);
    saveButton_ = new QPushButton(QStringLiteral("Save As"));
    saveButton_->setObjectName(QStringLiteral("Savebutton"));
    cancelButton_ = new QPushButton(QStringLiteral("Cancel"));
    cancelButton_->setObjectName(QStringLiteral("Cancelbutton"));
    bar->addWidget(saveButton_);
    bar->addWidget(cancelButton_);
}

void TMainScreen::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    saveAction_ = file->addAction(QStringLiteral("Save"));
    saveAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    file->addSeparator();
    QAction* exit = file->addAction(QStringLiteral("E&xit"));
    connect(exit, &QAction::triggered, this, &QWidget::close);
    menuBar()->addMenu(QStringLiteral("&Edit"));
    menuBar()->addMenu(QStringLiteral("&Help"));
}

void TMainScreen::toolClicked(int state)
{
    surface_->SetPanelState(TGBusinessCardPanel32::TLPanelState(state));
}

void TMainScreen::zoomBy(bool in)
{
    busy_ = true;
    surface_->handle().clear();
    const float z = surface_->zoomFactor();
    // The sum is formed in double and kept in single precision, so that the steps land
    // on 1.1 … 1.5 and a sixth step in stops.
    if (in && !(z > 1.5f))
        surface_->SetZoom(float(double(z) + 0.1));
    else if (!in && z >= 1.1f)
        surface_->SetZoom(float(double(z) - 0.1));
    zoomCaption_->setText(zoomCaption());
    surface_->processPendingEvents();
    busy_ = false;
}

void TMainScreen::zoomIn()
{
    zoomBy(true);
}

void TMainScreen::zoomOut()
{
    zoomBy(false);
}

QString TMainScreen::zoomCaption() const
{
    return QString::number(qRound(surface_->zoomFactor() * 100.0)) + QLatin1Char('%');
}

void TMainScreen::SetChangesMade(bool flag)
{
    changesMade_ = flag;
    cancelButton_->setVisible(flag);
    saveButton_->setText(currentFileName_.isEmpty() ? QStringLiteral("Save As")
                                                    : QStringLiteral("Save"));
    saveButton_->setVisible(flag);
    saveAction_->setEnabled(!currentFileName_.isEmpty());
}

void TMainScreen::LabelChanged()
{
    if (!busy_) SetChangesMade(true);
}

void TMainScreen::Setbuttons()
{
    saveAction_->setEnabled(!currentFileName_.isEmpty());
    setWindowTitle(currentFileName_.isEmpty()
                       ? QStringLiteral("Orlanto")
                       : QStringLiteral("Orlanto - ") + QFileInfo(currentFileName_).fileName());
}

bool TMainScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == scroll_->viewport() && event->type() == QEvent::MouseButtonPress) {
        // A click on the scroll box around the card clears the selection.
        surface_->handle().clear();
        return false;
    }
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || w->window() != this) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const bool keypad = key->modifiers().testFlag(Qt::KeypadModifier);
    if (event->type() == QEvent::KeyRelease) {
        if (keypad && key->key() == Qt::Key_Plus) zoomIn();
        if (keypad && key->key() == Qt::Key_Minus) zoomOut();
        return false;
    }
    QScrollBar* vbar = scroll_->verticalScrollBar();
    switch (key->key()) {
    case Qt::Key_PageUp: vbar->triggerAction(QAbstractSlider::SliderSingleStepSub); return true;
    case Qt::Key_PageDown: vbar->triggerAction(QAbstractSlider::SliderSingleStepAdd); return true;
    case Qt::Key_Home: vbar->setValue(vbar->minimum()); return true;
    case Qt::Key_End: vbar->setValue(vbar->maximum()); return true;
    default: break;
    }
    // Keys typed outside the card go to the surface's key handler too.
    if (w != view_ && w == QApplication::focusWidget() && !qobject_cast<QDialog*>(w->window()))
        surface_->keyHandler(key->key(), key->modifiers());
    return false;
}
