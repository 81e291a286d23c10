#pragma once
// The program's one document window: the card surface in a scroll box, the tool bar that
// chooses what a click creates, the menus and buttons of every command, the current file
// and its unsaved-changes state, and the settings the preferences file keeps.
#include "app/TPreferences.h"
#include "app/TRecentFiles.h"

#include <QMainWindow>

#include <memory>

class QAction;
class QButtonGroup;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class SurfaceView;
class TGBusinessCardPanel32;
class TPrintCommands;
struct TPrintSettings;

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

    // --- file commands
    void newCommand();
    void openCommand();
    void deleteCommand();
    void saveCommand();
    void saveAsCommand();
    void exitCommand();
    void cancelChangesCommand();
    void MRUItemClick(const QString& fileName);
    // Opens a card named on the command line (refusing other extensions, as Open does).
    void openFile(const QString& fileName);
    void OpenBCFile(const QString& fileName);
    bool SaveBCFile(const QString& fileName);
    void CheckSaveNeeded();

    // --- edit and help commands
    void defaultFontCommand();
    void personalInformationCommand();
    void backgroundArtCommand();
    void layoutCommand();
    void aboutCommand();
    void SetDefaultFontCaption();
    QString defaultFontCaption() const;
    void SetPanelPersonalInfo();

    // --- print commands (enabled when a printer is available) and the PDF export
    bool printersAvailable() const { return printCommands_ != nullptr; }
    void printCommand();
    void previewCommand();
    void printerSetupCommand();
    void fineTuningCommand();
    void outlineTestPageCommand();
    void exportPdfCommand();
    TPrintSettings printSettings() const;

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
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildToolBar();
    void buildMenus();
    void rebuildRecentMenu();
    void toolClicked(int state);
    void zoomBy(bool in);
    void storeFontPreferences();
    void sizeCardFromLayout();
    QString savedFolder() const;
    void writeUiMap(const QString& path) const;
    void createPrintCommands();
    void storePrintSettings(const TPrintSettings& settings);

    std::unique_ptr<TGBusinessCardPanel32> surface_;
    SurfaceView* view_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QButtonGroup* tools_ = nullptr;
    QLabel* zoomCaption_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* defaultFontAction_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    QList<QAction*> recentActions_;
    QList<QAction*> printActions_; // enabled exactly when printers are available
    QList<QPushButton*> printButtons_;
    std::unique_ptr<TPrintCommands> printCommands_;

    TPreferences prefs_;
    TRecentFiles recent_;
    QString currentFileName_;
    QString backgroundFile_;
    bool changesMade_ = false;
    bool busy_ = false;
    bool activated_ = false;
};
