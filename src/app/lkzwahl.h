#pragma once
#include <QDialog>

// The language question of the first start. Never translated: it is asked before there is
// a language. Sprachcode is 49 (German) or 44 (English). Only the two buttons end it: a
// close box drawn by the window manager anyway is refused.
class TDlgSprache : public QDialog {
    Q_OBJECT
public:
    explicit TDlgSprache(QWidget* parent = nullptr);
    int Sprachcode = 44;

    void BtnDeutschClick();
    void BtnEnglishClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool answered_ = false;
};
