#pragma once
// The options window: the six scheme colours and the eight colour schemes,
// the start fade, the inactive-window dimming, the background logo, big
// icons, the editor program and the file-type associations. Every change
// shows at once; the settings store is written when the program closes.
#include <cstdint>

#include "windowparts/WindowDrag.h"
#include "components/MorphButton.h"
#include "platform/controls/Bevel.h"
#include "platform/controls/Form.h"
#include "platform/controls/Image.h"
#include "platform/controls/Label.h"
#include "platform/controls/Shape.h"
#include "platform/controls/StdCtrls.h"
#include "platform/services/Dialogs.h"

namespace lumvex {

class TOptionsWindow : public TForm {
public:
    TOptionsWindow();

    TImage* TopImage;
    TLabel* TopLabel;
    TImage* BackImage;
    TShape* BackShape;
    TMorphButton* MorphButton8;  // close
    TBevel* Bevel1;              // appearance
    TBevel* Bevel2;              // behaviour
    TBevel* Bevel3;              // behaviour's separator
    TBevel* Bevel4;              // editor
    TBevel* Bevel5;              // associations
    TLabel* Label1;
    TLabel* Label2;
    TLabel* Label3;
    TLabel* Label4;
    // The colour swatches; their Tag names the colour they choose.
    TShape* Shape1;   // co1
    TShape* Shape2;   // co2
    TShape* Shape3;   // coText
    TShape* Shape4;   // coSelect
    TShape* Shape10;  // ibtc
    TShape* Shape11;  // abtc
    TComboBox* ComboBox1;  // the colour schemes
    // The frames drawn one pixel outside the boxes and the editor's field.
    TShape* Shape5;
    TShape* Shape6;
    TShape* Shape7;
    TShape* Shape8;
    TShape* Shape9;
    TShape* Shape12;
    TShape* Shape13;
    TShape* Shape14;
    TShape* Shape15;
    TCheckBox* CheckBox1;  // fade in at start-up
    TCheckBox* CheckBox2;  // dim inactive windows
    TCheckBox* CheckBox3;  // background logo
    TCheckBox* CheckBox4;  // big icons
    TCheckBox* CheckBox5;  // jpg
    TCheckBox* CheckBox6;  // bmp
    TCheckBox* CheckBox7;  // gif
    TCheckBox* CheckBox8;  // ico
    TEdit* Edit1;          // the editor program
    TMorphButton* MorphButton1;  // browse for the editor
    TMorphButton* MorphButton2;  // the about window (a wide button)
    TColorDialog ColorDialog;
    TOpenDialog OpenDialog;

    bool FrameHighlighted = false;

    void FormMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void Shape1MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void Shape1MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void CheckBoxesMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void MorphButton8Click(TObject* sender);
    void MorphButton1Click(TObject* sender);
    void ColorDialogShow(TObject* sender);
    void ColorDialogClose(TObject* sender);
    void ComboBox1Change(TObject* sender);
    void CheckBox2Click(TObject* sender);
    void CheckBox3Click(TObject* sender);
    void CheckBox4Click(TObject* sender);
    // The four association boxes: the registration store always; the
    // desktop's own files only on the user's click, never while the stored
    // states are loaded, so a default viewer the user chose on the desktop
    // stays chosen.
    void CheckBox5Click(TObject* sender);
    void MorphButton2Click(TObject* sender);
    void FormKeyDown(TObject* sender, std::uint16_t& key, TShiftState shift);

    // The settings store: read once at start-up, written when the program
    // closes.
    void LoadOptions();
    void SaveOptions();

private:
    void CreateControls();
    TShape* FrameOf(int tag) const;
    // Runs a dialog with ColorDialogOpen held for its whole life.
    template <class Dialog>
    bool RunDialog(Dialog& dialog);
    WindowDrag drag_;
    bool loadingOptions_ = false;
};

extern TOptionsWindow* OptionsWindow;

}  // namespace lumvex
