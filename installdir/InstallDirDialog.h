#pragma once

#include "platform/Prompts.h"

#include <QDialog>
#include <QString>

#include <memory>

class QFileSystemModel;
class QKeyEvent;
class QPushButton;
class QTreeView;

namespace Ui {
class TForm_InstallDir;
}

// The installation directory chooser. Construction loads the previous answer from
// tessovar.ini in `iniDir`, else in `configDir`; OK stores the chosen directory in `iniDir`, or
// in `configDir` when `iniDir` cannot be written. Callers read InstallPath.
class TForm_InstallDir : public QDialog {
    Q_OBJECT

public:
    TForm_InstallDir(QWidget* owner, const QString& iniDir, Prompts& prompts, const QString& configDir = {});
    ~TForm_InstallDir() override;

    QTreeView* ShellTreeView_InstallDir = nullptr;
    QPushButton* Btn_Ok = nullptr;
    QPushButton* Btn_Cancel = nullptr;
    // The answer: the chosen directory, empty when there is none.
    QString InstallPath;

    void Btn_OkClick();
    void Btn_CancelClick();

    // The directory of the selected node; empty when no node is selected.
    QString SelectedPath() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::unique_ptr<Ui::TForm_InstallDir> ui_;
    QFileSystemModel* model_ = nullptr;
    QString iniDir_;
    QString configDir_;
    Prompts& prompts_;
};
