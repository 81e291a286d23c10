#pragma once
// A copy of the open card kept in the program's home folder while it has unsaved changes,
// so that a crash or a killed session loses at most one interval of work. The copy is a
// card file written atomically through the card writer; the name of the card's background
// art is kept beside it. The next start offers it (see TMainScreen); a damaged copy is set
// aside under another name so that it is reported only once.
#include "platform/SystemTickClock.h"

#include <QString>

#include <optional>

class TGBasePanel;

class TRecoveryFile {
public:
    explicit TRecoveryFile(TGBasePanel& surface);

    static QString cardPath();
    static QString backgroundPath();
    static bool exists();

    void setClock(const platform::TickClock* clock) { clock_ = clock; }
    void setInterval(quint32 ms) { interval_ = ms; }
    quint32 interval() const { return interval_; }

    // Called often (every second): writes the copy once the interval has passed since the
    // card's changes began or since the last copy. Without changes the time is forgotten.
    // Returns the error of a failed write, empty otherwise.
    QString poll(bool modified, const QString& background);
    // Writes the copy now; returns the error when it could not.
    QString write(const QString& background);
    // Removes the copy (the card has no unsaved changes any more).
    static void remove();
    // The background art name kept with the copy.
    static QString background();
    // Renames a copy that cannot be read; returns its new name.
    static QString setAside();

private:
    TGBasePanel& surface_;
    platform::SystemTickClock systemClock_;
    const platform::TickClock* clock_ = &systemClock_;
    quint32 interval_ = 60000;
    std::optional<quint32> since_;
};
