#include "platform/controls/StdCtrls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <algorithm>

#include "platform/services/Application.h"

namespace lumvex {

namespace {
template <class W>
W& As(const TControl& control) {
    return *static_cast<W*>(control.Widget());
}
QString Q(const std::string& text) { return QString::fromStdString(text); }
}  // namespace

// Check box -------------------------------------------------------------------

TCheckBox::TCheckBox(TWinControl* parent) : TWinControl(parent, new QCheckBox) {
    UseNativeLook();
    SetColor(clSilver);
    QObject::connect(&As<QCheckBox>(*this), &QCheckBox::toggled, [this](bool) {
        if (OnClick) Application.Dispatch([this] { OnClick(this); });
    });
}
std::string TCheckBox::Caption() const { return As<QCheckBox>(*this).text().toStdString(); }
void TCheckBox::SetCaption(const std::string& caption) { As<QCheckBox>(*this).setText(Q(caption)); }
bool TCheckBox::Checked() const { return As<QCheckBox>(*this).isChecked(); }
void TCheckBox::SetChecked(bool checked) { As<QCheckBox>(*this).setChecked(checked); }

// Radio button ----------------------------------------------------------------

TRadioButton::TRadioButton(TWinControl* parent) : TWinControl(parent, new QRadioButton) {
    UseNativeLook();
    SetColor(clSilver);
    QObject::connect(&As<QRadioButton>(*this), &QRadioButton::toggled, [this](bool checked) {
        if (checked && OnClick) Application.Dispatch([this] { OnClick(this); });
    });
}
std::string TRadioButton::Caption() const { return As<QRadioButton>(*this).text().toStdString(); }
void TRadioButton::SetCaption(const std::string& caption) { As<QRadioButton>(*this).setText(Q(caption)); }
bool TRadioButton::Checked() const { return As<QRadioButton>(*this).isChecked(); }
void TRadioButton::SetChecked(bool checked) { As<QRadioButton>(*this).setChecked(checked); }

// Combo box -------------------------------------------------------------------

TComboBox::TComboBox(TWinControl* parent) : TWinControl(parent, new QComboBox) {
    UseNativeLook();
    QComboBox& box = As<QComboBox>(*this);
    box.setEditable(true);
    box.setInsertPolicy(QComboBox::NoInsert);
    QObject::connect(&box, &QComboBox::currentIndexChanged, [this](int) {
        if (!settingFromCode_ && OnChange) Application.Dispatch([this] { OnChange(this); });
    });
    QObject::connect(&box, &QComboBox::editTextChanged, [this](const QString&) {
        if (!settingFromCode_ && style_ == csDropDown && OnChange) Application.Dispatch([this] { OnChange(this); });
    });
}

void TComboBox::SetStyle(TComboBoxStyle style) {
    style_ = style;
    As<QComboBox>(*this).setEditable(style == csDropDown);
}

std::vector<std::string> TComboBox::Items() const {
    const QComboBox& box = As<QComboBox>(*this);
    std::vector<std::string> items;
    for (int i = 0; i < box.count(); ++i) items.push_back(box.itemText(i).toStdString());
    return items;
}

void TComboBox::SetItems(const std::vector<std::string>& items) {
    Clear();
    for (const std::string& item : items) AddItem(item);
}

void TComboBox::AddItem(const std::string& item) {
    settingFromCode_ = true;
    As<QComboBox>(*this).addItem(Q(item));
    if (style_ == csDropDown && As<QComboBox>(*this).count() == 1) As<QComboBox>(*this).setCurrentIndex(-1);
    settingFromCode_ = false;
}

void TComboBox::Clear() {
    settingFromCode_ = true;
    As<QComboBox>(*this).clear();
    settingFromCode_ = false;
}

// Text typed into the box that differs from the chosen item chooses none.
int TComboBox::ItemIndex() const {
    const QComboBox& box = As<QComboBox>(*this);
    const int index = box.currentIndex();
    if (box.isEditable() && index >= 0 && box.currentText() != box.itemText(index)) return -1;
    return index;
}

void TComboBox::SetItemIndex(int index) {
    settingFromCode_ = true;
    As<QComboBox>(*this).setCurrentIndex(index >= 0 && index < As<QComboBox>(*this).count() ? index : -1);
    settingFromCode_ = false;
}

std::string TComboBox::Text() const { return As<QComboBox>(*this).currentText().toStdString(); }

void TComboBox::SetText(const std::string& text) {
    QComboBox& box = As<QComboBox>(*this);
    if (box.isEditable()) {
        box.setEditText(Q(text));
        return;
    }
    SetItemIndex(box.findText(Q(text)));
}

// Edit box --------------------------------------------------------------------

TEdit::TEdit(TWinControl* parent) : TWinControl(parent, new QLineEdit) {
    UseNativeLook();
    QObject::connect(&As<QLineEdit>(*this), &QLineEdit::textChanged, [this](const QString&) {
        if (OnChange) Application.Dispatch([this] { OnChange(this); });
    });
}
std::string TEdit::Text() const { return As<QLineEdit>(*this).text().toStdString(); }
void TEdit::SetText(const std::string& text) { As<QLineEdit>(*this).setText(Q(text)); }
bool TEdit::ReadOnly() const { return As<QLineEdit>(*this).isReadOnly(); }
void TEdit::SetReadOnly(bool on) { As<QLineEdit>(*this).setReadOnly(on); }
// The line edit's limit when none is set.
constexpr int NoLengthLimit = 32767;
int TEdit::MaxLength() const {
    const int length = As<QLineEdit>(*this).maxLength();
    return length == NoLengthLimit ? 0 : length;
}
void TEdit::SetMaxLength(int length) { As<QLineEdit>(*this).setMaxLength(length > 0 ? length : NoLengthLimit); }
void TEdit::SelectAll() { As<QLineEdit>(*this).selectAll(); }

// Track bar -------------------------------------------------------------------

TTrackBar::TTrackBar(TWinControl* parent) : TWinControl(parent, new QSlider(Qt::Horizontal)) {
    QSlider& slider = As<QSlider>(*this);
    slider.setRange(0, 10);
    QObject::connect(&slider, &QSlider::valueChanged, [this](int) {
        if (OnChange) Application.Dispatch([this] { OnChange(this); });
    });
}
int TTrackBar::Min() const { return As<QSlider>(*this).minimum(); }
int TTrackBar::Max() const { return As<QSlider>(*this).maximum(); }
void TTrackBar::SetMin(int value) { As<QSlider>(*this).setMinimum(value); }
void TTrackBar::SetMax(int value) { As<QSlider>(*this).setMaximum(value); }
int TTrackBar::Position() const { return As<QSlider>(*this).value(); }
void TTrackBar::SetPosition(int value) { As<QSlider>(*this).setValue(value); }
TTrackBarOrientation TTrackBar::Orientation() const {
    return As<QSlider>(*this).orientation() == Qt::Vertical ? trVertical : trHorizontal;
}
void TTrackBar::SetOrientation(TTrackBarOrientation orientation) {
    As<QSlider>(*this).setOrientation(orientation == trVertical ? Qt::Vertical : Qt::Horizontal);
}

}  // namespace lumvex
