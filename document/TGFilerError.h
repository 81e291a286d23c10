#pragma once
// A failure to read or write a card file, carrying the message the user is shown.
#include <QString>

#include <stdexcept>

class TGFilerError : public std::runtime_error {
  public:
    explicit TGFilerError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

  private:
    QString message_;
};
