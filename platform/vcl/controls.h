#pragma once
// Controls and forms of the toolkit as state only: parent, position, size, caption, visible and
// enabled state, check marks, modal results and the events a user's actions raise. Nothing is
// drawn here, so that a GUI can later show the same objects as real windows.

#include "platform/vcl/classes.h"

#include <functional>
#include <string>
#include <vector>

namespace kestrun::vcl {

using TNotifyEvent = std::function<void(TObject* sender)>;

// Modal results of buttons and forms.
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2 };

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

class TPopupMenu;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // The control it lies on; position is relative to the parent's client area.
    TControl* Parent() const { return m_parent; }
    void SetParent(TControl* parent);
    int ControlCount() const { return static_cast<int>(m_controls.size()); }
    TControl* Controls(int i) const { return m_controls.at(static_cast<std::size_t>(i)); }

    void SetBounds(int left, int top, int width, int height);

    int Left = 0, Top = 0, Width = 0, Height = 0;
    std::string Caption;
    bool Visible = true;
    bool Enabled = true;
    TAlign Align = TAlign::alNone;
    TPopupMenu* PopupMenu = nullptr;

    // Whether a user can reach the control: it and every parent visible and enabled.
    bool Reachable() const;

private:
    TControl* m_parent = nullptr;
    std::vector<TControl*> m_controls;
};

class TLabel : public TControl {
public:
    using TControl::TControl;
    bool WordWrap = false;
    bool AutoSize = true;
};

class TPanel : public TControl {
public:
    using TControl::TControl;
    std::string Color = "clBtnFace";
    bool BevelOuter = true;
};

class TGroupBox : public TControl {
public:
    using TControl::TControl;
};

class TCheckBox : public TControl {
public:
    using TControl::TControl;
    bool Checked = false;
    TNotifyEvent OnClick;
    // The user's click: the check mark is inverted and OnClick raised. A control the user
    // cannot reach ignores the click and false is returned.
    bool Click();
};

class TButton : public TControl {
public:
    using TControl::TControl;
    int ModalResult = mrNone;
    bool Default = false;
    bool Cancel = false;
    TNotifyEvent OnClick;
    // The user's click: OnClick, then the button's modal result becomes its form's. A button
    // the user cannot reach ignores the click and false is returned.
    bool Click();
};

// A button with a glyph; the kind names the glyph set (bkCustom, bkCancel).
class TBitBtn : public TButton {
public:
    using TButton::TButton;
    std::string Kind = "bkCustom";
};

class TMenuItem : public TComponent {
public:
    using TComponent::TComponent;
    std::string Caption;
    TNotifyEvent OnClick;
    void Click();
};

class TPopupMenu : public TComponent {
public:
    using TComponent::TComponent;
    std::vector<TMenuItem*> Items;
};

// A reusable group of controls placed on a form; its controls are owned by the frame.
class TFrame : public TControl {
public:
    using TControl::TControl;
};

class TForm : public TControl {
public:
    explicit TForm(TComponent* owner);

    int HelpContext = 0;
    std::string Color = "clBtnFace";
    std::string Position = "poOwnerFormCenter";
    std::string FontName = "MS Sans Serif";
    bool SystemMenuOnly = true;
    int ModalResult = mrNone;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

    bool Active() const { return m_active; }
    // The form becomes active (OnActivate) or stops being active (OnDeactivate).
    void Activate();
    void Deactivate();

    // Shows the form modally: it is activated, the application's modal user acts on it until a
    // modal result is set (none set means the window was closed: Cancel), then the form is
    // deactivated and hidden. An exception from the user's actions still closes the form
    // (deactivation included) and then passes on.
    int ShowModal();

private:
    bool m_active = false;
};

// The form a control lies on, or null.
TForm* GetParentForm(const TControl& control);

} // namespace kestrun::vcl
