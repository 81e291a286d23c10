#pragma once
// The text dialog of the text label (caption "Text"): the prompt "Enter Text" over the
// one-line edit LabelText, with "Ok", "Cancel" and "Help". Runs through the dialog host.
#include <QDialog>

class QLineEdit;
class QVBoxLayout;

class TGetLabelText : public QDialog {
    Q_OBJECT
  public:
    explicit TGetLabelText(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);

  protected:
    // The column above the buttons, for dialogs that offer more ways to pick the text.
    QVBoxLayout* body() const { return body_; }

  private:
    QVBoxLayout* body_ = nullptr;

    QLineEdit* labelText_ = nullptr;
};
