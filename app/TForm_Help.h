#pragma once

#include <QDialog>
#include <QUrl>
#include <functional>
#include <memory>

class QLabel;

namespace Ui {
class TForm_Help;
}

// The splash window, shown before the main window and again as the about box. Any click or
// character key closes it; the two link labels open the project's page instead. `gamePrefix`,
// when given, is the Wine prefix the game was found in, shown on a line of its own.
class TForm_Help : public QDialog {
    Q_OBJECT

public:
    explicit TForm_Help(QWidget* owner = nullptr, const QString& gamePrefix = {});
    ~TForm_Help() override;

    void FormClick();
    void FormKeyPress();
    void Image1Click();
    void Label13Click();
    void Label13MouseMove(QLabel* label);
    void FormMouseMove();

    QLabel* Label13 = nullptr;
    QLabel* Label22 = nullptr;

    // Opens the project's page; tests replace it.
    std::function<void(const QUrl&)> openUrl;
    // The page the links open: the README installed with the program.
    static QUrl ProjectPage();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetLinkLook(QLabel* label, bool highlighted);

    std::unique_ptr<Ui::TForm_Help> ui_;
};
