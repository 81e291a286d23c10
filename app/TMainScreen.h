#pragma once
// The program's one document window: the card surface in a scroll box, the tool bar that
// chooses what a click creates, the menus and buttons of every command, the current file
// and its unsaved-changes state, and the settings the preferences file keeps.
#include "app/TPreferences.h"
#include "app/TRecentFiles.h"
#include "app/TRecoveryFile.h"

#include <QMainWindow>

#include <memory>

class QAction;
class QButtonGroup;
class QLabel;
class QMenu;
class QMimeData;
class QPushButton;
class QScrollArea;
class SurfaceView;
class TGBusinessCardPanel32;
class TPrintCommands;
namespace platform {
class ElidedLabel;
}

class TMainScreen : public QMainWindow {
    Q_OBJECT
  public:
    explicit TMainScreen(QWidget* parent = nullptr);
    ~TMainScreen() override;

    TGBusinessCardPanel32& surface() { return *surface_; }
    SurfaceView& surfaceView() { return *view_; }
    const TPreferences& preferences() const { return prefs_; }
    const TRecentFiles& recentFiles() const { return recent_; }
    QString backgroundFile() const { return backgroundFile_; }

    // The first activation: placement, card size, the most recent card, change tracking.
    void firstActivation();

  signals:
    // The first activation has placed the window and opened the most recent card.
    void activated();
    // After the first activation: the buttons that come and go with unsaved changes changed.
    void buttonsChanged();

  public:
    // --- file commands
    void newCommand();
    void openCommand();
    void deleteCommand();
    void saveCommand();
    void saveAsCommand();
    void exitCommand();
    void cancelChangesCommand();
    void mruItemClick(const QString& fileName);
    // Opens a card named on the command line (refusing other extensions, as Open does).
    void openFile(const QString& fileName);
    // Another start of the program handed over: the window comes to the front and opens
    // the card it was given (if any) once unsaved changes are settled and no dialog is open.
    void openFromAnotherStart(const QString& fileName);
    void openBCFile(const QString& fileName);
    bool saveBCFile(const QString& fileName);
    // Asks "Save changes?" when there are unsaved changes and saves on Yes; false when the
    // card must stay as it is (Cancel, Escape, a cancelled Save As or a failed save).
    bool checkSaveNeeded();

    // --- drag and drop: a card file opens (after the save prompt); picture files become
    // picture objects with their top-left corner at `at`, in surface pixels, as one step
    // of the undo history. False when the data names no such file.
    bool dropFiles(const QMimeData& mime, QPoint at);

    // --- edit and help commands
    void defaultFontCommand();
    void personalInformationCommand();
    void backgroundArtCommand();
    void layoutCommand();
    void aboutCommand();
    void setDefaultFontCaption();
    QString defaultFontCaption() const;
    void setPanelPersonalInfo();

    // --- print commands and the PDF export. Without a printer (decided once, at the first
    // activation) Preview still works, Print offers the PDF export instead, and the commands
    // that need a printer are disabled.
    bool printersAvailable() const { return printCommands_ && printerProblem_.isEmpty(); }
    void printCommand();
    void previewCommand();
    void printerSetupCommand();
    void fineTuningCommand();
    void outlineTestPageCommand();
    void exportPdfCommand();

    // --- zoom: the two buttons step by 0.1 between 1.0 and 1.5; the keys, Ctrl+wheel and
    // Zoom to fit step by 10 % between 50 % and 400 %
    static constexpr int minZoomPercent = 50;
    static constexpr int maxZoomPercent = 400;
    void zoomIn();
    void zoomOut();
    // Zooms to a percentage, brought into the range and onto a 10 % step.
    void zoomToPercent(int percent);
    // Steps of 10 % in (positive) or out (negative) from the current zoom.
    void zoomSteps(int steps);
    void zoomToFitCommand();
    // The largest step at which the whole card shows in the window.
    int fitZoomPercent() const;
    QString zoomCaption() const;

    // --- status bar: the pointer's place on the card and the selection's bounds, in the
    // layout's unit
    QString pointerStatus() const;
    QString selectionStatus() const;

    // --- change tracking: the card has unsaved changes while its undo history is away
    // from the state last saved or opened
    bool changesMade() const;
    void setChangesMade(bool flag);
    void labelChanged();
    void setbuttons();
    QString currentFileName() const { return currentFileName_; }
    void undoCommand();
    void redoCommand();

    // --- the copy of a card with unsaved changes kept against crashes
    TRecoveryFile& recovery() { return recovery_; }
    // Writes the copy when it is due (the timer calls this every second).
    void pollRecovery();
    // At start-up: offers a copy left by a session that did not end normally.
    void offerRecovery();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void buildToolBar();
    void buildMenus();
    void rebuildRecentMenu();
    void toolClicked(int state);
    void zoomBy(bool in);
    void applyZoom(float zoom);
    void fitSmallCard();
    void buildStatusBar();
    void updatePointerStatus(QPoint viewPos);
    void updateSelectionStatus();
    // A length in card pixels, in the layout's unit.
    QString cardLength(double pixels) const;
    // Ctrl+wheel over the card or around it; true when the event was used.
    bool wheelZoom(QEvent* event);
    void storeFontPreferences();
    void sizeCardFromLayout();
    QString savedFolder() const;
    void createPrintCommands();
    bool saveAs();
    void changesChanged();
    void trackCardState();
    void applyLayout(const TCardLayout& layout);
    void setBackgroundFile(const QString& fileName);
    // Shows the background art backgroundFile_ names, or says why it cannot.
    void showBackground();
    bool dropPicture(const QString& fileName, QPoint at);
    // The recovery question: which card the kept changes belong to, and when they were kept.
    static QString recoveryQuestion();
    // Says that the recovery copy cannot be read, and where it went (empty: removed).
    static void reportUnreadableRecovery(const QString& problem, const QString& aside);

    std::unique_ptr<TGBusinessCardPanel32> surface_;
    SurfaceView* view_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QButtonGroup* tools_ = nullptr;
    QLabel* zoomCaption_ = nullptr;
    QLabel* pointerStatus_ = nullptr;
    QLabel* selectionStatus_ = nullptr;
    platform::ElidedLabel* printerNotice_ = nullptr; // empty while a printer is there
    int wheelRest_ = 0;                              // wheel turns not yet a whole step
    float startZoom_ = 0;   // the zoom the start-up rule chose, until the user zooms; else 0
    int keypadZoomKey_ = 0; // the keypad + or - pressed without Ctrl, until released
    QPushButton* saveButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    QAction* defaultFontAction_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    QAction* exitSeparator_ = nullptr;
    QList<QAction*> recentActions_;
    QList<QAction*> printActions_;   // enabled exactly when printers are available
    QList<QAction*> previewActions_; // Print and Preview: enabled once activated
    QList<QPushButton*> printButtons_;
    std::unique_ptr<TPrintCommands> printCommands_;
    QString printerProblem_; // why nothing can be printed; empty with a printer

    TPreferences prefs_;
    TRecentFiles recent_;
    QString currentFileName_;
    QString backgroundFile_;
    TRecoveryFile recovery_;
    QString recoveryError_;        // the last failure to write the copy, reported once
    bool recoveryChecked_ = false; // a copy left by an earlier session has been offered
    bool busy_ = false;
    bool activated_ = false;
};
