#pragma once
// "Personal Information": ten single-line fields about the user (name, company, address,
// phones, e-mail, fax) that text labels offer as ready-made texts.
#include <QDialog>

#include <array>

class QLineEdit;

class TPersonalInformation : public QDialog {
    Q_OBJECT
  public:
    static constexpr int count = 10;
    explicit TPersonalInformation(QWidget* parent = nullptr);

    void setValues(const std::array<QString, count>& values);
    std::array<QString, count> values() const;

  private:
    std::array<QLineEdit*, count> fields_{};
};
