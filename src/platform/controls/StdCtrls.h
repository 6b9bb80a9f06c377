#pragma once
// The standard input controls: check box, radio button, combo box, edit box,
// track bar and up-down buttons. Changes made from code raise the same events
// as the user's (OnClick for the check and radio boxes, OnChange for the rest),
// except setting a combo box's ItemIndex from code.
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/Control.h"

namespace lumvex {

class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TWinControl* parent);
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    bool Checked() const;
    void SetChecked(bool checked);
};

// Radio buttons under one parent exclude each other.
class TRadioButton : public TWinControl {
public:
    explicit TRadioButton(TWinControl* parent);
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    bool Checked() const;
    void SetChecked(bool checked);
};

enum TComboBoxStyle { csDropDown, csDropDownList };

class TComboBox : public TWinControl {
public:
    explicit TComboBox(TWinControl* parent);
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle style);
    std::vector<std::string> Items() const;
    void SetItems(const std::vector<std::string>& items);
    void AddItem(const std::string& item);
    void Clear();
    int ItemIndex() const;
    void SetItemIndex(int index);
    std::string Text() const;
    void SetText(const std::string& text);

    TNotifyEvent OnChange;

private:
    TComboBoxStyle style_ = csDropDown;
    bool settingFromCode_ = false;
};

class TEdit : public TWinControl {
public:
    explicit TEdit(TWinControl* parent);
    std::string Text() const;
    void SetText(const std::string& text);
    bool ReadOnly() const;
    void SetReadOnly(bool on);
    // The most characters the user can type in; 0 for no limit.
    int MaxLength() const;
    void SetMaxLength(int length);
    void SelectAll();

    TNotifyEvent OnChange;
};

enum TTrackBarOrientation { trHorizontal, trVertical };

class TTrackBar : public TWinControl {
public:
    explicit TTrackBar(TWinControl* parent);
    int Min() const;
    int Max() const;
    void SetMin(int value);
    void SetMax(int value);
    int Position() const;
    void SetPosition(int value);
    TTrackBarOrientation Orientation() const;
    void SetOrientation(TTrackBarOrientation orientation);

    TNotifyEvent OnChange;
};

// Two arrow buttons that step Position between Min and Max and show it in
// the associated edit box.
class TUpDown : public TWinControl {
public:
    explicit TUpDown(TWinControl* parent);
    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetMin(int value);
    void SetMax(int value);
    int Position() const { return position_; }
    void SetPosition(int value);
    int Increment() const { return increment_; }
    void SetIncrement(int value) { increment_ = value; }
    TEdit* Associate() const { return associate_; }
    void SetAssociate(TEdit* edit);
    // One step up (or down) from the number in the associated box, as the
    // arrow buttons do.
    void StepUp();
    void StepDown();

    TNotifyEvent OnChange;

private:
    int TypedPosition() const;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int increment_ = 1;
    TEdit* associate_ = nullptr;
};

}  // namespace lumvex
