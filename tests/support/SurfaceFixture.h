#pragma once
// A card surface in a temporary home with a manual clock, a scripted dialog host, the
// TestBox kind on the rectangle tool, and a count of change notifications.
#include "ManualTickClock.h"
#include "ScriptedDialogHost.h"
#include "TestBox.h"

#include "document/TGBusinessCardPanel32.h"

#include <QTemporaryDir>

#include <memory>

struct SurfaceFixture {
    SurfaceFixture(int width = 336, int height = 192);

    // Adds a TestBox at (l, t, w, h) as the rectangle tool would, and returns it.
    TestBox* addBox(int l, int t, int w, int h);
    // Mouse gestures in surface pixels. A drag presses at from, moves there once after
    // stepMs (which starts a frame drag), moves to to and releases, stepMs apart.
    void click(int x, int y, Qt::KeyboardModifiers mods = Qt::NoModifier,
               Qt::MouseButton button = Qt::LeftButton);
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods = Qt::NoModifier,
              quint32 stepMs = 200);
    void key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier);
    // Prints the surface's objects into a PDF file in the home folder, the card's top-left
    // at (leftInches, topInches) on the page; the file's path, or empty when printing failed.
    QString printToPdf(const QString& fileName, double leftInches, double topInches);

    QTemporaryDir home;
    ManualTickClock clock;
    ScriptedDialogHost dialogs;
    std::unique_ptr<TGBusinessCardPanel32> surface;
    int changes = 0;
};
