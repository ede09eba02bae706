#pragma once

#include "platform/Prompts.h"
#include "portraits/FaceArchive.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <memory>

class QKeyEvent;
class QLabel;
class QWidget;

namespace Ui {
class TfrmPic;
}

// The portrait picker: a gallery of 21 portraits a page, 7 by 3, in portrait-index order.
// Clicking a portrait ends the dialog with its index in SelectedIndex; "取消" ends it with -1.
// The archives belong to the owner and are only read here.
class TfrmPic : public QDialog {
    Q_OBJECT

public:
    TfrmPic(QWidget* owner, const FaceArchive& faceFile, const FaceArchive& addFaceFile, Prompts& prompts);
    ~TfrmPic() override;

    // Returns at once when construction found no main archive, as there is nothing to pick.
    int exec() override;

    // The portrait index in the first cell; always the start of a page.
    std::int32_t FirstIndex = 0;
    // The answer: the chosen portrait index, or -1 after "取消".
    std::int32_t SelectedIndex = 0;
    // Cells the gallery offers (portraits and the extra cell) and the first index of its last page.
    std::int32_t FaceCount = 0;
    std::int32_t LastPageStart = 0;

    void FormCreate();
    void Button1Click(); // Go
    void Button2Click(); // 取消
    void Button3Click(); // 上一页
    void Button4Click(); // 下一页
    void Button5Click(); // 首页
    void Button6Click(); // 尾页
    void Button7Click(); // 新武将
    void Button8Click(); // 追加武将

    // Cell k answers with its portrait index.
    void ImageClick(int k);
    void Image1Click() { ImageClick(1); }
    void Image2Click() { ImageClick(2); }
    void Image3Click() { ImageClick(3); }
    void Image4Click() { ImageClick(4); }
    void Image5Click() { ImageClick(5); }
    void Image6Click() { ImageClick(6); }
    void Image7Click() { ImageClick(7); }
    void Image8Click() { ImageClick(8); }
    void Image9Click() { ImageClick(9); }
    void Image10Click() { ImageClick(10); }
    void Image11Click() { ImageClick(11); }
    void Image12Click() { ImageClick(12); }
    void Image13Click() { ImageClick(13); }
    void Image14Click() { ImageClick(14); }
    void Image15Click() { ImageClick(15); }
    void Image16Click() { ImageClick(16); }
    void Image17Click() { ImageClick(17); }
    void Image18Click() { ImageClick(18); }
    void Image19Click() { ImageClick(19); }
    void Image20Click() { ImageClick(20); }
    void Image21Click() { ImageClick(21); }
    void imgEggClick();

    // The hover frame: shown around whichever picture the pointer is over, hidden on the frame itself.
    void Image18MouseMove(QWidget* sender);
    void Label23MouseMove();

    void ShowPage();
    void ShowCell(std::int32_t index, QLabel* image, QLabel* label);
    void HideCell(QLabel* image, QLabel* label);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    void TurnPage();
    void ConnectHandlers();

    std::unique_ptr<Ui::TfrmPic> ui_;
    std::array<QLabel*, 21> images_{};
    std::array<QLabel*, 21> labels_{};
    const FaceArchive& faceFile_;
    const FaceArchive& addFaceFile_;
    Prompts& prompts_;
    bool noArchive_ = false;
};
