#pragma once
// A copy of the open card kept in the program's home folder while it has unsaved changes,
// so that a crash or a killed session loses at most one interval of work. The copy is a
// card file written atomically through the card writer, readable by its owner alone; beside
// it, in files of one line each, the name of the card's background art and the card's own
// file name (so that a recovered card keeps it). The next start offers it (see
// TMainScreen); a copy that cannot be read is set aside under another name so that it is
// reported only once.
#include "platform/system/SystemTickClock.h"

#include <QDateTime>
#include <QString>

#include <optional>

class TGBasePanel;

class TRecoveryFile {
  public:
    explicit TRecoveryFile(TGBasePanel& surface);

    static QString cardPath();
    static QString backgroundPath();
    static QString namePath();
    static bool exists();

    void setClock(const platform::TickClock* clock) { clock_ = clock; }
    void setInterval(quint32 ms) { interval_ = ms; }
    quint32 interval() const { return interval_; }

    // Called often (every second): writes the copy once the interval has passed since the
    // card's changes began or since the last copy. Without changes the time is forgotten.
    // cardName: the card's file name, empty for a card never saved. Returns the error of a
    // failed write, empty otherwise.
    QString poll(bool modified, const QString& cardName, const QString& background);
    // Writes the copy now; returns the error when it could not.
    QString write(const QString& cardName, const QString& background);
    // Removes the copy (the card has no unsaved changes any more).
    static void remove();
    // The background art name and the card's file name kept with the copy.
    static QString background();
    static QString cardName();
    // When the copy was written last.
    static QDateTime keptAt();
    // Reads the copy onto the surface. Returns why it could not (the reader's message, or
    // that memory ran out), empty when it was read; the copy is then left as it was.
    static QString load(TGBasePanel& surface);
    // Reads the copy on a scratch surface of its own: why it cannot be read, or empty.
    static QString check();
    // Renames a copy that cannot be read; returns its new name, or empty when it could not
    // be renamed and was removed instead.
    static QString setAside();

  private:
    TGBasePanel& surface_;
    platform::SystemTickClock systemClock_;
    const platform::TickClock* clock_ = &systemClock_;
    quint32 interval_ = 60000;
    std::optional<quint32> since_;
};
