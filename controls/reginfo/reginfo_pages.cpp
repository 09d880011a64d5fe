#include "controls/reginfo/reginfo_pages.h"

#include "controls/common/basic_error.h"
#include "controls/common/basic_variant.h"
#include "controls/common/control.h"
#include "controls/common/control_collection.h"
#include "controls/reginfo/register_value.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace mirelda {

using vsq::controls::BasicError;
using vsq::controls::PropertyPage;

namespace {

constexpr int kPageWidth = 5925;
constexpr int kPageHeight = 3495;

QLabel* pageLabel(PropertyPage* page, const QString& name, const QString& caption) {
    auto* made = new QLabel(caption, page);
    made->setObjectName(name);
    return made;
}

template <class Field> Field* field(PropertyPage* page, const QString& name) {
    auto* made = new Field(page);
    made->setObjectName(name);
    return made;
}

// A number typed on a page, converted as its property converts it; the
// failure names the field.
template <class T> T converted(const QLineEdit& text, const QString& property) {
    try {
        return vsq::controls::fromVariant<T>(text.text());
    } catch (const BasicError& error) {
        throw BasicError(error.number(),
                         (property + QStringLiteral(": ")).toStdString() + error.description());
    }
}

} // namespace

std::vector<std::unique_ptr<PropertyPage>> makeRegInfoPages() {
    std::vector<std::unique_ptr<PropertyPage>> pages;
    pages.push_back(std::make_unique<QVSRegInfoCommunications>());
    pages.push_back(std::make_unique<QVSRegInfoToolTips>());
    pages.push_back(std::make_unique<QVSRegInfoDetails>());
    return pages;
}

// ---- Communications ----

QVSRegInfoCommunications::QVSRegInfoCommunications(QWidget* parent)
    : PropertyPage(QStringLiteral("QVSRegInfoCommunications"), kPageWidth, kPageHeight, parent) {
    // Created in tab order.
    place(*pageLabel(this, "lblAutoReadTimerInterval", "AutoRead Timer Interval (ms):"), 360, 1320,
          2220, 240);
    txtAutoReadTimerInterval_ = field<QLineEdit>(this, "txtAutoReadTimerInterval");
    place(*txtAutoReadTimerInterval_, 2520, 1320, 780, 330);
    chkAutoRead_ = field<QCheckBox>(this, "chkAutoRead");
    chkAutoRead_->setText(QStringLiteral("AutoRead"));
    place(*chkAutoRead_, 3600, 1800, 2700, 285);
    place(*pageLabel(this, "lblRWValue", "Read/Write Value(Hex):"), 360, 1800, 1860, 240);
    txtRWValue_ = field<QLineEdit>(this, "txtRWValue");
    place(*txtRWValue_, 2520, 1800, 780, 330);
    place(*pageLabel(this, "lblAddressPointer", "Address Pointer (Hex):"), 360, 2280, 1620, 240);
    txtAddressPointer_ = field<QLineEdit>(this, "txtAddressPointer");
    place(*txtAddressPointer_, 2520, 2280, 780, 330);
    chkExecuteRead_ = field<QCheckBox>(this, "chkExecuteRead");
    chkExecuteRead_->setText(QStringLiteral("ExecuteRead"));
    place(*chkExecuteRead_, 3600, 2160, 2700, 285);
    chkFlag_ = field<QCheckBox>(this, "chkFlag");
    chkFlag_->setText(QStringLiteral("Service Flag"));
    place(*chkFlag_, 3600, 1440, 2700, 285);
    place(*pageLabel(this, "lblMasterController", "Master Controller:"), 360, 960, 1380, 240);
    AvailableMControlsCombo_ = field<QComboBox>(this, "AvailableMControlsCombo");
    AvailableMControlsCombo_->setEditable(true);
    place(*AvailableMControlsCombo_, 2520, 960, 1872, 315);

    const auto mark = [this] { setChanged(true); };
    for (QLineEdit* text : {txtAutoReadTimerInterval_, txtRWValue_, txtAddressPointer_}) {
        connect(text, &QLineEdit::textChanged, this, mark);
    }
    for (QCheckBox* check : {chkAutoRead_, chkExecuteRead_, chkFlag_}) {
        connect(check, &QCheckBox::toggled, this, mark);
    }
    connect(AvailableMControlsCombo_, &QComboBox::editTextChanged, this, mark);
}

void QVSRegInfoCommunications::SelectionChanged() {
    vsq::controls::Dispatchable& control = firstSelected();
    const auto managers = control.dispatchCall(QStringLiteral("ListQVSMControls"))
                              .value<vsq::controls::ControlCollection>();
    // The list is built once for the page's life.
    if (AvailableMControlsCombo_->count() == 0 && managers.Count() > 0) {
        AvailableMControlsCombo_->clear();
        AvailableMControlsCombo_->addItem(QStringLiteral("None"));
        for (int item = 1; item <= managers.Count(); ++item) {
            AvailableMControlsCombo_->addItem(managers.Item(item)->nameOnHost());
        }
    }
    const QString master = control.dispatchGet(QStringLiteral("Master")).toString();
    AvailableMControlsCombo_->setEditText(master);
    if (master.isEmpty() && AvailableMControlsCombo_->count() > 0) {
        AvailableMControlsCombo_->setCurrentIndex(0);
    }
    chkFlag_->setChecked(vsq::controls::toBoolean(control.dispatchGet(QStringLiteral("Flag"))));
    chkExecuteRead_->setChecked(
        vsq::controls::toBoolean(control.dispatchGet(QStringLiteral("ExecuteRead"))));
    txtAddressPointer_->setText(
        vsq::controls::toText(control.dispatchGet(QStringLiteral("AddressPointer"))));
    txtRWValue_->setText(vsq::controls::toText(control.dispatchGet(QStringLiteral("RWValue"))));
    txtAutoReadTimerInterval_->setText(
        vsq::controls::toText(control.dispatchGet(QStringLiteral("AutoReadTimerInterval"))));
}

void QVSRegInfoCommunications::ApplyChanges() {
    const auto address = converted<float>(*txtAddressPointer_, QStringLiteral("AddressPointer"));
    if (!isValidAddressPointer(address)) {
        throw BasicError(static_cast<int>(vsq::controls::ErrorNumber::Overflow),
                         "AddressPointer: Overflow");
    }
    const auto value = converted<float>(*txtRWValue_, QStringLiteral("RWValue"));
    const auto interval = converted<std::int32_t>(*txtAutoReadTimerInterval_,
                                                  QStringLiteral("AutoReadTimerInterval"));
    vsq::controls::Dispatchable& control = firstSelected();
    control.dispatchPut(QStringLiteral("Master"), AvailableMControlsCombo_->currentText());
    control.dispatchPut(QStringLiteral("Flag"), chkFlag_->isChecked());
    control.dispatchPut(QStringLiteral("ExecuteRead"), chkExecuteRead_->isChecked());
    control.dispatchPut(QStringLiteral("AddressPointer"), address);
    control.dispatchPut(QStringLiteral("RWValue"), value);
    control.dispatchPut(QStringLiteral("AutoReadTimerInterval"), interval);
}

// ---- Tool tips ----

QVSRegInfoToolTips::QVSRegInfoToolTips(QWidget* parent)
    : PropertyPage(QStringLiteral("QVSRegInfoToolTips"), kPageWidth, kPageHeight, parent) {
    struct Row {
        const char* property;
        const char* caption;
        int labelLeft, labelTop, textTop;
    };
    // In tab order.
    static constexpr Row rows[] = {
        {"BinDigitstoolTipText", "Bin Digits tool Tip Text:", 120, 1320, 1200},
        {"HexTxtBoxToolTipText", "Hex Txt Box Tool Tip Text:", 120, 1800, 1680},
        {"DecTxtBoxToolTipText", "Dec Txt Box Tool Tip Text:", 90, 2280, 2160},
        {"AutoReadToolTipText", "Auto Read Tool Tip Text:", 120, 360, 240},
        {"UpdateDecHexToolTipText", "Update DecHex Tool Tip Text:", 120, 765, 720},
    };
    std::vector<std::pair<QString, QLineEdit*>> made;
    for (const Row& row : rows) {
        const QString property = QString::fromLatin1(row.property);
        place(*pageLabel(this, "lbl" + property, row.caption), row.labelLeft, row.labelTop, 2700,
              240);
        auto* text = field<QLineEdit>(this, "txt" + property);
        place(*text, 2400, row.textTop, 3300, 330);
        connect(text, &QLineEdit::textChanged, this, [this] { setChanged(true); });
        made.emplace_back(property, text);
    }
    // Loaded and applied from the last row up.
    fields_.assign(made.rbegin(), made.rend());
}

void QVSRegInfoToolTips::SelectionChanged() {
    for (const auto& [property, text] : fields_) {
        text->setText(firstSelected().dispatchGet(property).toString());
    }
}

void QVSRegInfoToolTips::ApplyChanges() {
    for (const auto& [property, text] : fields_) {
        firstSelected().dispatchPut(property, text->text());
    }
}

// ---- Details ----

QVSRegInfoDetails::QVSRegInfoDetails(QWidget* parent)
    : PropertyPage(QStringLiteral("QVSRegInfo Details"), kPageWidth, kPageHeight, parent) {
    place(*pageLabel(this, "lblRegisterDetails", "Register Details:"), 1050, 960, 2700, 240);
    txtRegisterDetails_ = field<QPlainTextEdit>(this, "txtRegisterDetails");
    place(*txtRegisterDetails_, 1050, 1215, 3525, 690);
    connect(txtRegisterDetails_, &QPlainTextEdit::textChanged, this, [this] { setChanged(true); });
}

void QVSRegInfoDetails::SelectionChanged() {
    txtRegisterDetails_->setPlainText(
        firstSelected().dispatchGet(QStringLiteral("RegisterDetails")).toString());
}

void QVSRegInfoDetails::ApplyChanges() {
    firstSelected().dispatchPut(QStringLiteral("RegisterDetails"),
                                txtRegisterDetails_->toPlainText());
}

} // namespace mirelda
