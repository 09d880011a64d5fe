#pragma once
// The register panel's three property pages, in the order the panel lists
// them: the manager and hand-shake fields, the tool-tip texts, the register
// text. Each reads and writes the first selected control by member name.

#include "controls/common/property_page.h"

#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace mirelda {

std::vector<std::unique_ptr<vsq::controls::PropertyPage>> makeRegInfoPages();

class QVSRegInfoCommunications : public vsq::controls::PropertyPage {
    Q_OBJECT
public:
    explicit QVSRegInfoCommunications(QWidget* parent = nullptr);

protected:
    void SelectionChanged() override;
    // Every field is converted and checked first; then all are applied, or
    // none (the failure names the field).
    void ApplyChanges() override;

private:
    QLineEdit* txtAutoReadTimerInterval_;
    QCheckBox* chkAutoRead_;
    QLineEdit* txtRWValue_;
    QLineEdit* txtAddressPointer_;
    QCheckBox* chkExecuteRead_;
    QCheckBox* chkFlag_;
    QComboBox* AvailableMControlsCombo_;
};

class QVSRegInfoToolTips : public vsq::controls::PropertyPage {
    Q_OBJECT
public:
    explicit QVSRegInfoToolTips(QWidget* parent = nullptr);

protected:
    void SelectionChanged() override;
    void ApplyChanges() override;

private:
    // In the order the page loads and applies them, with their properties.
    std::vector<std::pair<QString, QLineEdit*>> fields_;
};

class QVSRegInfoDetails : public vsq::controls::PropertyPage {
    Q_OBJECT
public:
    explicit QVSRegInfoDetails(QWidget* parent = nullptr);

protected:
    void SelectionChanged() override;
    void ApplyChanges() override;

private:
    QPlainTextEdit* txtRegisterDetails_;
};

} // namespace mirelda
