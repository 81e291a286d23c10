#include "SurfaceFixture.h"

#include "platform/report/PdfReportTarget.h"
#include "platform/report/Report.h"
#include "platform/system/HomeFolder.h"

SurfaceFixture::SurfaceFixture(int width, int height) {
    platform::HomeFolder::set(home.path());
    surface = std::make_unique<TGBusinessCardPanel32>();
    surface->setClock(&clock);
    surface->setSize(width, height);
    surface->classes().add<TestBox>();
    surface->registerTool(TGBusinessCardPanel32::psRectangle,
                          [](TGBusinessCardPanel32& s, QRect r) { s.place<TestBox>(r); });
    QObject::connect(surface.get(), &TGBasePanel::labelChanged, [this] { ++changes; });
}

TestBox* SurfaceFixture::addBox(int l, int t, int w, int h) {
    auto* box = surface->place<TestBox>(QRect(QPoint(l, t), QPoint(l + w, t + h)));
    surface->processPendingEvents();
    return box;
}

void SurfaceFixture::click(int x, int y, Qt::KeyboardModifiers mods, Qt::MouseButton button) {
    surface->mouseDown(button, mods, x, y);
    clock.advance(50);
    surface->mouseUp(button, mods, x, y);
    surface->mouseMove(Qt::NoButton, mods, x, y);
    clock.advance(50);
}

void SurfaceFixture::drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods, quint32 stepMs) {
    surface->mouseDown(Qt::LeftButton, mods, from.x(), from.y());
    clock.advance(stepMs);
    surface->mouseMove(Qt::LeftButton, mods, from.x(), from.y());
    clock.advance(stepMs);
    surface->mouseMove(Qt::LeftButton, mods, to.x(), to.y());
    clock.advance(stepMs);
    surface->mouseUp(Qt::LeftButton, mods, to.x(), to.y());
    surface->mouseMove(Qt::NoButton, mods, to.x(), to.y());
}

void SurfaceFixture::key(int k, Qt::KeyboardModifiers mods) {
    surface->keyDown(k, mods);
    surface->keyUp(k, mods);
}

QString SurfaceFixture::printToPdf(const QString& fileName, double leftInches, double topInches) {
    const QString pdf = home.filePath(fileName);
    platform::PdfReportTarget target(pdf);
    platform::Report report(target);
    report.onPrint = [&](platform::Report& r) {
        const auto printing = surface->printingScope();
        surface->printObjects(r, leftInches, topInches);
    };
    if (report.run()) return pdf;
    qWarning("printing failed: %s", qPrintable(report.errorString()));
    return {};
}
