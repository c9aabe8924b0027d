#include "platform/vcl/controls.h"

#include "platform/vcl/application.h"

#include <algorithm>
#include <exception>

namespace kestrun::vcl {

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl()
{
    // Children are freed by their owner, possibly after this control: they forget it first.
    for (auto* c : m_controls)
        c->m_parent = nullptr;
    if (m_parent)
        std::erase(m_parent->m_controls, this);
}

void TControl::SetParent(TControl* parent)
{
    if (m_parent)
        std::erase(m_parent->m_controls, this);
    m_parent = parent;
    if (m_parent)
        m_parent->m_controls.push_back(this);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    Left = left;
    Top = top;
    Width = width;
    Height = height;
}

bool TControl::Reachable() const
{
    for (const TControl* c = this; c; c = c->m_parent)
        if (!c->Visible || !c->Enabled)
            return false;
    return true;
}

bool TCheckBox::Click()
{
    if (!Reachable())
        return false;
    Checked = !Checked;
    if (OnClick)
        OnClick(this);
    return true;
}

bool TButton::Click()
{
    if (!Reachable())
        return false;
    if (OnClick)
        OnClick(this);
    if (ModalResult != mrNone)
        if (auto* form = GetParentForm(*this))
            form->ModalResult = ModalResult;
    return true;
}

void TMenuItem::Click()
{
    if (OnClick)
        OnClick(this);
}

TForm::TForm(TComponent* owner) : TControl(owner)
{
    Visible = false;
}

void TForm::Activate()
{
    if (m_active)
        return;
    m_active = true;
    if (OnActivate)
        OnActivate(this);
}

void TForm::Deactivate()
{
    if (!m_active)
        return;
    m_active = false;
    if (OnDeactivate)
        OnDeactivate(this);
}

int TForm::ShowModal()
{
    ModalResult = mrNone;
    Visible = true;
    try {
        Activate();
        Application->RunModalUser(*this);
    } catch (...) {
        // The window closes under the failure; a failure of closing it is not the one to report.
        auto failure = std::current_exception();
        try {
            Deactivate();
        } catch (...) {
        }
        Visible = false;
        std::rethrow_exception(failure);
    }
    if (ModalResult == mrNone)
        ModalResult = mrCancel;
    Visible = false;
    Deactivate();
    return ModalResult;
}

TForm* GetParentForm(const TControl& control)
{
    for (const TControl* c = &control; c; c = c->Parent())
        if (auto* form = dynamic_cast<const TForm*>(c))
            return const_cast<TForm*>(form);
    return nullptr;
}

} // namespace kestrun::vcl
