#pragma once
// QVSTXT ("Quiltane.QVSTXT"): a single-line entry field that accepts and shows
// a number in a chosen base, limited to a number of hexadecimal digits, with an
// update indicator at its right edge. Typing turns the indicator red; Enter or
// a click on the indicator commits: Update is raised with the text and the
// indicator turns green; the host then reads Value. Failures of the text, value,
// limit and conversion operations are raised as ErrorOccured and leave the
// read-and-clear Error flag; the base change and the forwarded text-box
// settings fail the call instead (vsq::controls::BasicError).
//
// Members in slot order, with the dispatch numbers hosts bind by:
//   Alignment 0x68030011  Appearance 0x68030010  BackColor 0x6803000F
//   BorderStyle 0x6803000E  Enabled 0x6803000D  Font -512  ForeColor 0x6803000C
//   MaxLength 0x6803000B  Locked 0x6803000A  PasswordChar 0x68030009
//   ScrollBars 0x68030008 (read only)  ToolTipText 0x68030007
//   NumberBase 0x68030006  Text 0x68030005  Value 0x68030004
//   MousePointer 0x68030003  DisplayUpdateIndicator 0x68030002
//   Error 0x6003002B (method)  MaxNibbles 0x68030001  ClearIndicator 0x68030000
// Events (Qt signals) in order: Update, ErrorOccured, Click, KeyUp, KeyPress,
// KeyDown, MouseUp, MouseMove; key and mouse arguments are passed by reference
// (a KeyPress handler may change the character before it is filtered). Mouse
// positions are in twips within the entry field.

#include "controls/common/control.h"
#include "controls/textbox/number_entry.h"

#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>

#include <cstdint>

class QKeyEvent;
class QMouseEvent;
class QPushButton;

namespace quiltane {

class EntryField;

class QVSTXT : public QWidget, public vsq::controls::Control, private NumberEntryHost {
    Q_OBJECT
    Q_PROPERTY(qint16 Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(qint16 Appearance READ Appearance WRITE setAppearance)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(qint16 BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(QFont Font READ Font WRITE setFont)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(qint32 MaxLength READ MaxLength WRITE setMaxLength)
    Q_PROPERTY(bool Locked READ Locked WRITE setLocked)
    Q_PROPERTY(QString PasswordChar READ PasswordChar WRITE setPasswordChar)
    Q_PROPERTY(qint16 ScrollBars READ ScrollBars)
    Q_PROPERTY(QString ToolTipText READ ToolTipText WRITE setToolTipText)
    Q_PROPERTY(quiltane::tNumberBase NumberBase READ NumberBase WRITE setNumberBase)
    Q_PROPERTY(QString Text READ Text WRITE setText)
    Q_PROPERTY(double Value READ Value WRITE setValue)
    Q_PROPERTY(qint16 MousePointer READ MousePointer WRITE setMousePointer)
    Q_PROPERTY(
        bool DisplayUpdateIndicator READ DisplayUpdateIndicator WRITE setDisplayUpdateIndicator)
    Q_PROPERTY(quint8 MaxNibbles READ MaxNibbles WRITE setMaxNibbles)
    Q_PROPERTY(bool ClearIndicator READ ClearIndicator WRITE setClearIndicator)

public:
    // Indicator colours, 0x00BBGGRR.
    static constexpr std::uint32_t kIndicatorRed = 0x0000FF;
    static constexpr std::uint32_t kIndicatorGreen = 0x00C000;
    // Width of the indicator, in twips.
    static constexpr int kIndicatorTwips = 255;

    explicit QVSTXT(QWidget* parent = nullptr);
    ~QVSTXT() override;

    // Forwarded to the entry field; each write notifies the host under its name.
    std::int16_t Alignment() const;
    void setAlignment(std::int16_t alignment);
    std::int16_t Appearance() const;
    void setAppearance(std::int16_t appearance);
    std::uint32_t BackColor() const;
    void setBackColor(std::uint32_t color);
    std::int16_t BorderStyle() const;
    void setBorderStyle(std::int16_t style);
    // The entry field only: the indicator stays clickable. (Hides
    // QWidget::setEnabled, as the control's own Enabled does.)
    bool Enabled() const;
    void setEnabled(bool enabled);
    QFont Font() const;
    void setFont(const QFont& font);
    std::uint32_t ForeColor() const;
    void setForeColor(std::uint32_t color);
    std::int32_t MaxLength() const;
    void setMaxLength(std::int32_t length);
    bool Locked() const;
    void setLocked(bool locked);
    QString PasswordChar() const;
    void setPasswordChar(const QString& character);
    std::int16_t ScrollBars() const { return 0; }
    QString ToolTipText() const;
    void setToolTipText(const QString& text);

    tNumberBase NumberBase() const { return numberBase_; }
    // Re-writes the text in the new base, stores it, notifies "NumberBase" and
    // filters the text under it. Fails the call (the text unchanged) where the
    // text cannot be converted.
    void setNumberBase(tNumberBase base);
    QString Text() const;
    void setText(const QString& text);
    // Reading reports its failure ("GetVal: ") and reads 0.
    double Value();
    void setValue(double value);
    std::int16_t MousePointer() const;
    void setMousePointer(std::int16_t pointer);
    bool DisplayUpdateIndicator() const { return displayUpdateIndicator_; }
    void setDisplayUpdateIndicator(bool display);
    // The error flag, cleared by reading it.
    bool Error();
    std::uint8_t MaxNibbles() const { return maxNibbles_; }
    // Above 16 becomes 16; then the text is tested against the new limit.
    void setMaxNibbles(std::uint8_t nibbles);
    bool ClearIndicator() const { return false; }
    // Nonzero turns the indicator green without raising Update.
    void setClearIndicator(bool clear);

    // The indicator's colour (kIndicatorRed or kIndicatorGreen).
    std::uint32_t indicatorColor() const { return indicatorColor_; }

    // vsq::controls::Control
    QString typeName() const override { return QStringLiteral("QVSTXT"); }
    const vsq::controls::MemberTable& memberTable() const override;
    void initProperties() override;
    void readProperties(const vsq::controls::PropertyBag& bag) override;
    void writeProperties(vsq::controls::PropertyBag& bag) override;

signals:
    void Update(const QString& value);
    void ErrorOccured(qint16 errorNumber, const QString& errorDescription);
    void Click();
    void KeyUp(qint16& keyCode, qint16& shift);
    void KeyPress(qint16& keyAscii);
    void KeyDown(qint16& keyCode, qint16& shift);
    void MouseUp(qint16& button, qint16& shift, float& x, float& y);
    void MouseMove(qint16& button, qint16& shift, float& x, float& y);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // NumberEntryHost
    tNumberBase numberBase() const override { return numberBase_; }
    std::uint8_t maxNibbles() const override { return maxNibbles_; }
    std::u16string entryText() const override;
    void setEntryText(const std::u16string& text) override;
    void commit() override;
    void reportError(int number, const std::u16string& description) override;

    void report(int number, const QString& description);
    void setIndicatorColor(std::uint32_t color);
    void setIndicatorBitmap(const QImage& picture);
    void arrangeLayout();
    // KeyUp with the given code and shift, then the limit check.
    void releaseKey(qint16 keyCode, qint16 shift,
                    NumberEntry::OverLongText overLong = NumberEntry::OverLongText::Cut);
    // Key and mouse events of the entry field; true when the key is consumed.
    bool keyPressed(const QKeyEvent& event);
    void keyReleased(const QKeyEvent& event);
    void mouseReleased(const QMouseEvent& event);
    void mouseMoved(const QMouseEvent& event);

    EntryField* textBox_;    // owned through Qt's parent
    QPushButton* indicator_; // owned through Qt's parent
    NumberEntry entry_{*this};
    std::uint8_t maxNibbles_ = 2;
    bool displayUpdateIndicator_ = false;
    bool errorFlag_ = false;
    tNumberBase numberBase_ = AnyCharacter0;
    std::uint32_t indicatorColor_ = kIndicatorGreen;
    QImage indicatorBitmap_;
};

} // namespace quiltane
