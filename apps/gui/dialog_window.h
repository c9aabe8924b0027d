#pragma once
// A print dialog of the module as a real window. The window is a view of the toolkit model:
// it is built by walking the model's controls (their positions at 120 dpi are Qt pixels), every
// user action raises the model's event (a check box's Click, a button's Click, a menu item's
// Click), and after each event the window shows the model's state again. The model stays the
// one truth, so the window and `kestrun print` behave the same for the same clicks.

#include "framework/printrun/dialog_base.h"
#include "platform/vcl/application.h"

#include <QDialog>
#include <exception>
#include <functional>
#include <map>

namespace kestrun::gui {

// A look at the page of a page box before any paper is used.
using preview_request = std::function<void(QWidget* parent, const vcl::TCheckBox& box)>;

class dialog_window : public QDialog {
public:
    dialog_window(print_dialog& model, preview_request preview);

    // The widget that shows a control of the model, or null.
    QWidget* widget_of(const vcl::TControl& control) const;
    // Shows the model's state: the caption, positions, texts, shown and enabled states, marks.
    void refresh();
    // A failure raised by the model's handlers; the window closes on it.
    std::exception_ptr failure() const { return m_failure; }

private:
    void build(vcl::TControl& control, QWidget* parent);
    // Runs a model event, then shows the new state; a modal result set by it closes the window.
    void raise_event(const std::function<void()>& event);

    print_dialog& m_model;
    preview_request m_preview;
    std::map<const vcl::TControl*, QWidget*> m_widgets;
    std::exception_ptr m_failure;
};

// The modal user a host installs: the form shown as a dialog_window until the model's modal
// result closes it (or the window is closed: Cancel). A failure of a handler is raised again
// after the window has closed, so the form's own closing (deactivation) still runs.
vcl::TApplication::modal_user window_user(preview_request preview);

} // namespace kestrun::gui
