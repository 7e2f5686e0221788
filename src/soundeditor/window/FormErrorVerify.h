// The refusal shown when a greeting phrase's sound carries no valid certificate.
#pragma once

#include <QDialog>

#include <string_view>

class QLabel;
class QPushButton;

namespace vorela {

/// The refusal text; \r\n separates its paragraphs.
extern const std::string_view VerifyRefusalText;

class FormErrorVerify : public QDialog {
    Q_OBJECT
public:
    explicit FormErrorVerify(QWidget *parent = nullptr);
    /// The opener's own window caption.
    void SetCaption(const QString &caption) { setWindowTitle(caption); }

private:
    QLabel *label_2 = nullptr;
    QPushButton *cb_1 = nullptr;
};

} // namespace vorela
