#pragma once
// The program's one document window: the card surface in a scroll box, the tool bar that
// chooses what a click creates, the menus and buttons of every command, the current file
// and its unsaved-changes state.
#include <QMainWindow>

#include <memory>

class QAbstractButton;
class QAction;
class QButtonGroup;
class QLabel;
class QPushButton;
class QScrollArea;
class QToolButton;
class SurfaceView;
class TGBusinessCardPanel32;

class TMainScreen : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainScreen(QWidget* parent = nullptr);
    ~TMainScreen() override;

    TGBusinessCardPanel32& surface() { return *surface_; }
    SurfaceView& surfaceView() { return *view_; }

    // --- zoom: steps of 0.1 between 1.0 and 1.5
    void zoomIn();
    void zoomOut();
    QString zoomCaption() const;

    // --- change tracking
    bool changesMade() const { return changesMade_; }
    void SetChangesMade(bool flag);
    void LabelChanged();
    void Setbuttons();
    QString currentFileName() const { return currentFileName_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolBar();
    void buildMenus();
    void toolClicked(int state);
    void zoomBy(bool in);

    std::unique_ptr<TGBusinessCardPanel32> surface_;
    SurfaceView* view_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QButtonGroup* tools_ = nullptr;
    QLabel* zoomCaption_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QAction* saveAction_ = nullptr;

    QString currentFileName_;
    bool changesMade_ = false;
    bool busy_ = false;
};
