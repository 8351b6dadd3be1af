#pragma once

// The DTMF editor: dialling timing, PTT-ID pause, sidetone, D-key and the
// sixteen code memories; a second page (ID, stun and kill codes, group
// code, call alert, auto reset) is kept but cannot be selected. Every
// change goes straight into the working image.

#include "editor_window.h"

#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;

class QTabWidget;

namespace zav {
struct DtmfCode;
}

namespace zav::ui {
struct AppContext;
}

namespace zav::features {

class DtmfEditor : public ui::EditorWindow {
    Q_OBJECT
public:
    explicit DtmfEditor(ui::AppContext& ctx, QWidget* parent = nullptr);
    ~DtmfEditor() override;

    /// Stores the ID code ("000" unless it is 3..10 digits) when the user
    /// changed its box.
    void commitPendingEdit() override;

    [[nodiscard]] QTabWidget* pages() const { return pages_; }
    [[nodiscard]] QComboBox* digitRateList() const { return digitRateList_; }
    [[nodiscard]] QComboBox* firstDigitTimeList() const { return firstDigitTimeList_; }
    [[nodiscard]] QComboBox* firstDigitDelayList() const { return firstDigitDelayList_; }
    [[nodiscard]] QComboBox* starHashList() const { return starHashList_; }
    [[nodiscard]] QComboBox* dKeyList() const { return dKeyList_; }
    [[nodiscard]] QComboBox* pttIdPauseList() const { return pttIdPauseList_; }
    [[nodiscard]] QCheckBox* sidetoneBox() const { return sidetoneBox_; }
    [[nodiscard]] QComboBox* callAlertList() const { return callAlertList_; }
    [[nodiscard]] QComboBox* groupCodeList() const { return groupCodeList_; }
    [[nodiscard]] QComboBox* autoResetList() const { return autoResetList_; }
    [[nodiscard]] QLineEdit* stunCodeBox() const { return stunCodeBox_; }
    [[nodiscard]] QLineEdit* killCodeBox() const { return killCodeBox_; }
    [[nodiscard]] QLineEdit* idCodeBox() const { return idCodeBox_; }
    /// Code memory n (1..16).
    [[nodiscard]] QLineEdit* memoryBox(int n) const { return memoryBoxes_[static_cast<std::size_t>(n - 1)]; }

private:
    QWidget* buildTimingPage();
    QWidget* buildCodesPage();
    QWidget* buildMemoryPage();
    /// A list whose entry is shown from, and stored into, the image.
    struct ListBinding {
        QComboBox* list;
        std::function<int()> shownEntry;
        std::function<void(int)> store; ///< called with a valid entry only
    };
    QComboBox* addList(const QStringList& entries, std::function<int()> shownEntry, std::function<void(int)> store);
    /// A captioned list in form whose selected index is the field's value.
    QComboBox* addIndexRow(QFormLayout* form, int labelId, const QStringList& entries, std::int16_t& field);
    QLineEdit* addCodeBox(std::function<DtmfCode&()> code);
    void showRecord();
    void memoryChanged(int n);
    void storeIdCode();
    /// Shows a stored ID code and remembers it as the box's unchanged text.
    void showIdCode(const QString& stored);

    ui::AppContext& ctx_;
    QTabWidget* pages_ = nullptr;
    QComboBox* digitRateList_ = nullptr;
    QComboBox* firstDigitTimeList_ = nullptr;
    QComboBox* firstDigitDelayList_ = nullptr;
    QComboBox* starHashList_ = nullptr;
    QComboBox* dKeyList_ = nullptr;
    QComboBox* pttIdPauseList_ = nullptr;
    QCheckBox* sidetoneBox_ = nullptr;
    QComboBox* callAlertList_ = nullptr;
    QComboBox* groupCodeList_ = nullptr;
    QComboBox* autoResetList_ = nullptr;
    QLineEdit* stunCodeBox_ = nullptr;
    QLineEdit* killCodeBox_ = nullptr;
    QLineEdit* idCodeBox_ = nullptr;
    std::array<QLineEdit*, 16> memoryBoxes_{};
    std::vector<ListBinding> bindings_;
    std::vector<std::pair<QLineEdit*, std::function<DtmfCode&()>>> codeBoxes_;
    QObject* idCodeFocusOutHook_ = nullptr;
    QString idCodeShown_; ///< what the ID box showed of the stored code
    bool filling_ = false; ///< true while the window sets its own controls
};

} // namespace zav::features
